#include "activities/puzzles/GiocoPuzzle.h"

#include <QRandomGenerator>

#include <algorithm>

GiocoPuzzle::GiocoPuzzle(QList<PezzoPuzzle> pezzi, QStringList categorieEscluse,
                         Estrazione estrazione)
    : pezzi_(std::move(pezzi)), escluse_(std::move(categorieEscluse)),
      estrazione_(std::move(estrazione)) {
    Ricomincia();
}

void GiocoPuzzle::Ricomincia() {
    posati_ = QList<bool>(pezzi_.size(), false);
    fase_ = Fase::Estrazione;
    corrente_ = -1;
    offerti_ = 0;
    daNascondere_ = -1;
}

bool GiocoPuzzle::Escluso(int i) const {
    return escluse_.contains(pezzi_[i].categoria);
}

bool GiocoPuzzle::InGioco(int i) const {
    if (i < 0 || i >= Numero() || pezzi_[i].nome.isEmpty() || Escluso(i))
        return false;
    return tutto_ || pezzi_[i].categoria == categoriaScelta_;
}

bool GiocoPuzzle::Posato(int i) const {
    return i >= 0 && i < Numero() && posati_[i];
}

bool GiocoPuzzle::Inserito(int i) const {
    return !InGioco(i) || posati_[i];
}

int GiocoPuzzle::DaPosare() const {
    int n = 0;
    for (int i = 0; i < Numero(); ++i)
        if (!Inserito(i))
            ++n;
    return n;
}

int GiocoPuzzle::PezziInGioco() const {
    int n = 0;
    for (int i = 0; i < Numero(); ++i)
        if (InGioco(i))
            ++n;
    return n;
}

QString GiocoPuzzle::NomeCorrente() const {
    return fase_ == Fase::Offerta ? pezzi_[corrente_].nome : QString();
}

void GiocoPuzzle::Offri(int i) {
    corrente_ = i;
    fase_ = Fase::Offerta;
    ++offerti_;
}

int GiocoPuzzle::Estrai() {
    if (fase_ != Fase::Estrazione)
        return PezzoCorrente();
    // A uniform draw over every piece that rejects the placed ones offers each piece still to
    // place with the same chance: draw among those directly, so the draw always ends.
    QList<int> rimasti;
    for (int i = 0; i < Numero(); ++i)
        if (!Inserito(i))
            rimasti.append(i);
    if (rimasti.isEmpty()) {
        fase_ = Fase::Finito;
        corrente_ = -1;
        return -1;
    }
    const int n = static_cast<int>(rimasti.size());
    const int k =
        estrazione_ ? estrazione_(n) : static_cast<int>(QRandomGenerator::global()->bounded(n));
    Offri(rimasti[std::clamp(k, 0, n - 1)]);
    return corrente_;
}

GiocoPuzzle::Esito GiocoPuzzle::PosaPezzoOfferto() {
    if (fase_ != Fase::Offerta)
        return Esito::Nulla;
    posati_[corrente_] = true;
    fase_ = Fase::Estrazione;
    return Esito::Giusta;
}

GiocoPuzzle::Esito GiocoPuzzle::Seleziona(int indice) {
    if (fase_ != Fase::Offerta)
        return Esito::Nulla;
    if (indice < 0 || indice >= Numero() || pezzi_[indice].nome != pezzi_[corrente_].nome)
        return Esito::Sbagliata;
    return PosaPezzoOfferto();
}

GiocoPuzzle::EsitoCambia GiocoPuzzle::Cambia() {
    switch (fase_) {
    case Fase::Estrazione:
        return EsitoCambia::Nulla;
    case Fase::Finito:
        return EsitoCambia::Finito;
    case Fase::Offerta:
        break;
    }
    daNascondere_ = corrente_;
    corrente_ = -1;
    --offerti_; // the draw that follows counts it again
    fase_ = Fase::Estrazione;
    return EsitoCambia::Estrai;
}

void GiocoPuzzle::ScegliCategoria(const QString& parola) {
    categoriaScelta_ = parola;
    tutto_ = false;
    Ricomincia();
}

void GiocoPuzzle::ScegliTutto() {
    // The word chosen last is kept, as the menu keeps it.
    tutto_ = true;
    Ricomincia();
}

void GiocoPuzzle::ImpostaDecolora(bool decolora) {
    decolora_ = decolora;
    Ricomincia();
}

QString GiocoPuzzle::ColorePosto(int i, const ColoriPuzzle& c) const {
    if (i < 0 || i >= Numero())
        return {};
    if (Escluso(i))
        return c.escluso;
    if (!InGioco(i))
        return decolora_ ? c.escluso : pezzi_[i].colore;
    return posati_[i] ? pezzi_[i].colore : c.vuoto;
}

PassataColori GiocoPuzzle::Colori(const ColoriPuzzle& c) const {
    PassataColori passata;
    passata.reserve(2 * pezzi_.size() + c.altri.size());
    for (int i = 0; i < Numero(); ++i) {
        if (pezzi_[i].nome.isEmpty())
            continue;
        passata.append({pezzi_[i].nome + u'p', c.pezzo});
        passata.append({pezzi_[i].nome, ColorePosto(i, c)});
    }
    passata += c.altri;
    return passata;
}

QString RegioneDelGioco(const QStringList& regioni, const QString& scelta,
                        const GiocoPuzzle::Estrazione& estrazione) {
    if (regioni.contains(scelta) || regioni.isEmpty())
        return regioni.contains(scelta) ? scelta : QString();
    const int n = static_cast<int>(regioni.size());
    const int k =
        estrazione ? estrazione(n) : static_cast<int>(QRandomGenerator::global()->bounded(n));
    return regioni[std::clamp(k, 0, n - 1)];
}
