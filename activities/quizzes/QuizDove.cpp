#include "activities/quizzes/QuizDove.h"

#include "catalog/CatalogoFisico.h"

#include <QRandomGenerator>

#include <algorithm>

namespace EstrazioneQuiz {
namespace {
Funzione& funzione() {
    static Funzione f;
    return f;
}
} // namespace

void Imposta(Funzione f) {
    funzione() = std::move(f);
}

int Estrai(int n) {
    if (n <= 1)
        return 0;
    if (const Funzione& f = funzione())
        return std::clamp(f(n), 0, n - 1);
    // Seeded once, when the program first asks.
    static QRandomGenerator generatore(QRandomGenerator::global()->generate());
    return static_cast<int>(generatore.bounded(n));
}
} // namespace EstrazioneQuiz

void QuizDove::ImpostaElementi(QList<Elemento> elementi) {
    elementi_ = std::move(elementi);
    trovato_ = QList<bool>(elementi_.size(), false);
    sbagliato_ = QList<bool>(elementi_.size(), false);
    richiesto_ = -1;
}

QString QuizDove::Nome(int slot) const {
    return slot >= 0 && slot < elementi_.size() ? elementi_[slot].nome : QString();
}

bool QuizDove::Chiedibile(int slot) const {
    return slot >= 0 && slot < elementi_.size() && elementi_[slot].chiedibile &&
           !elementi_[slot].nome.isEmpty();
}

void QuizDove::Ricomincia() {
    trovato_.fill(false);
    sbagliato_.fill(false);
    richiesto_ = -1;
}

void QuizDove::AzzeraConteggi() {
    esatte_ = 0;
    errate_ = 0;
}

int QuizDove::DaTrovare() const {
    int n = 0;
    for (int i = 0; i < elementi_.size(); ++i)
        if (Chiedibile(i))
            ++n;
    return n;
}

bool QuizDove::Finito() const {
    for (int i = 0; i < elementi_.size(); ++i)
        if (Chiedibile(i) && !trovato_[i])
            return false;
    return true;
}

std::optional<int> QuizDove::ProssimaDomanda() {
    sbagliato_.fill(false);
    QList<int> candidati;
    for (int i = 0; i < elementi_.size(); ++i)
        if (Chiedibile(i) && !trovato_[i])
            candidati.append(i);
    if (candidati.isEmpty()) {
        richiesto_ = -1;
        return std::nullopt;
    }
    richiesto_ = candidati[EstrazioneQuiz::Estrai(static_cast<int>(candidati.size()))];
    return richiesto_;
}

void QuizDove::SegnaSbagliato(const QString& nome) {
    for (int i = 0; i < elementi_.size(); ++i)
        if (elementi_[i].nome == nome)
            sbagliato_[i] = true;
}

QuizDove::Esito QuizDove::Clic(const QString& nome) {
    // No open question: the pause after a right answer, or the end.
    if (richiesto_ < 0 || Trovato(richiesto_))
        return Esito::Ignorata;
    for (int i = 0; i < elementi_.size(); ++i)
        if (elementi_[i].nome == nome && (trovato_[i] || sbagliato_[i]))
            return Esito::Ignorata;
    if (nome == elementi_[richiesto_].nome) {
        trovato_[richiesto_] = true;
        ++esatte_;
        return Esito::Giusta;
    }
    SegnaSbagliato(nome);
    ++errate_;
    return Esito::Sbagliata;
}

QuizDove::Esito QuizDove::Selezione(int slot, bool segnaErrore) {
    if (richiesto_ < 0 || Trovato(richiesto_) || slot < 0 || slot >= elementi_.size())
        return Esito::Ignorata;
    if (elementi_[slot].nome == elementi_[richiesto_].nome) {
        trovato_[richiesto_] = true;
        return Esito::Giusta;
    }
    if (segnaErrore)
        SegnaSbagliato(elementi_[slot].nome);
    return Esito::Sbagliata;
}

QString QuizDove::FraseErrore(const QString& cliccato, const QString& richiesto) {
    return QStringLiteral("No! Stai sbagliando! Hai cliccato ") + cliccato +
           QStringLiteral(". Devi cliccare ") + richiesto + u'!';
}

// --- the physical filter ---------------------------------------------------------------------

namespace {
bool Dentro(const QString& c, CategoriaFiltro filtro, bool regionale) {
    using namespace CategoriaFisica;
    const QStringView categoria(c);
    switch (filtro) {
    case CategoriaFiltro::Tutto:
        return categoria != QStringView(Indistinto) &&
               (regionale || categoria != QStringView(Altri));
    case CategoriaFiltro::Monti:
        return categoria == QStringView(Monte);
    case CategoriaFiltro::Pianure:
        return categoria == QStringView(Pianura);
    case CategoriaFiltro::Deserti:
        return categoria == QStringView(Deserto);
    case CategoriaFiltro::FiumiLaghi:
        return categoria == QStringView(Fiume);
    case CategoriaFiltro::Ghiacciai:
        return categoria == QStringView(Ghiacciaio);
    case CategoriaFiltro::Mari:
        return categoria == QStringView(Mare);
    case CategoriaFiltro::Altri:
        return categoria == QStringView(Altri);
    }
    return false;
}
} // namespace

QList<VoceFiltrata> ElencoFiltrato(RigheFisiche righe, CategoriaFiltro categoria, bool regionale,
                                   const QString& coloreFuori) {
    QList<VoceFiltrata> out;
    out.reserve(qsizetype(righe.size()));
    for (const auto& r : righe) {
        VoceFiltrata v;
        v.nome = r[CatalogoFisico::ColonnaNome];
        v.dentro = Dentro(r[CatalogoFisico::ColonnaCategoria], categoria, regionale);
        v.categoria = v.dentro ? r[CatalogoFisico::ColonnaCategoria]
                               : QStringView(CategoriaFisica::Indistinto).toString();
        v.colore = v.dentro ? r[CatalogoFisico::ColonnaColore] : coloreFuori;
        out.append(v);
    }
    return out;
}

QList<QuizDove::Elemento> ElementiQuiz(const QList<VoceFiltrata>& elenco) {
    QList<QuizDove::Elemento> out;
    out.reserve(elenco.size());
    for (const VoceFiltrata& v : elenco)
        out.append({v.nome, v.dentro});
    return out;
}
