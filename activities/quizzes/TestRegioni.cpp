#include "activities/quizzes/TestRegioni.h"

#include "activities/quizzes/QuizDove.h"

#include <QHash>

#include <algorithm>

TestRegioni::TestRegioni(QList<Provincia> province, QList<VoceCatalogo> regioni)
    : province_(std::move(province)), regioni_(std::move(regioni)) {
    Azzera();
}

TestRegioni TestRegioni::DaCatalogo(const CatalogoArea& c, const QList<VoceCatalogo>& regioni) {
    QList<Provincia> province;
    const int ultima = std::min<int>(c.NumeroProvince, CatalogoArea::MassimoProvince - 1);
    for (int i = 0; i <= ultima; ++i)
        province.append({c.ElencoProvince[i][0], c.ElencoProvince[i][1], c.ClasseProvincia[i]});
    return TestRegioni(std::move(province), regioni);
}

void TestRegioni::Azzera() {
    trovata_ = QList<bool>(province_.size(), false);
    trovate_ = 0;
    richiesto_ = -1;
    fase_ = Fase::Fermo;
    esatte_ = 0;
    errate_ = 0;
}

std::optional<int> TestRegioni::ProssimaDomanda() {
    QList<int> candidati;
    for (int i = 0; i < province_.size(); ++i)
        if (!trovata_[i])
            candidati.append(i);
    if (candidati.isEmpty()) {
        fase_ = Fase::Fermo;
        richiesto_ = -1;
        return std::nullopt;
    }
    richiesto_ = candidati[EstrazioneQuiz::Estrai(static_cast<int>(candidati.size()))];
    fase_ = Fase::Regione;
    return richiesto_;
}

QString TestRegioni::NomeRichiesto() const {
    return richiesto_ >= 0 ? province_[richiesto_].nome : QString();
}

QString TestRegioni::RegioneRichiesta() const {
    return richiesto_ >= 0 ? province_[richiesto_].regione : QString();
}

TestRegioni::Esito TestRegioni::RispostaRegione(const QString& regione) {
    if (fase_ != Fase::Regione)
        return Esito::Ignorata;
    if (regione != RegioneRichiesta()) {
        ++errate_;
        return Esito::Sbagliata;
    }
    ++esatte_;
    fase_ = Fase::Provincia;
    return Esito::Giusta;
}

TestRegioni::Esito TestRegioni::RispostaProvincia(const QString& provincia) {
    if (fase_ != Fase::Provincia)
        return Esito::Ignorata;
    if (provincia != NomeRichiesto()) {
        ++errate_;
        return Esito::Sbagliata;
    }
    ++esatte_;
    trovata_[richiesto_] = true;
    ++trovate_;
    fase_ = Fase::Fermo;
    return Esito::Giusta;
}

bool TestRegioni::ProvinciaTrovata(int slot) const {
    return slot >= 0 && slot < trovata_.size() && trovata_[slot];
}

bool TestRegioni::RegioneCompleta(const QString& regione) const {
    bool qualcuna = false;
    for (int i = 0; i < province_.size(); ++i)
        if (province_[i].regione == regione) {
            qualcuna = true;
            if (!trovata_[i])
                return false;
        }
    return qualcuna;
}

int TestRegioni::IndiceRegione(const QString& regione) const {
    for (int i = static_cast<int>(regioni_.size()) - 1; i >= 0; --i)
        if (regioni_[i].nome == regione)
            return i;
    return -1;
}

QList<int> TestRegioni::ProvinceDi(const QString& regione) const {
    QList<int> out;
    for (int i = 0; i < province_.size(); ++i)
        if (province_[i].regione == regione)
            out.append(i);
    return out;
}

int TestRegioni::MassimoProvincePerRegione() const {
    QHash<QString, int> conta;
    int massimo = 0;
    for (const Provincia& p : province_)
        massimo = std::max(massimo, ++conta[p.regione]);
    return massimo;
}
