#include "workspace/testi/LetturaTesto.h"

#include <algorithm>

LetturaTesto::LetturaTesto(Leggo::Separatori separatori) : separatori_(separatori) {}

void LetturaTesto::ImpostaTesto(const QString& testo) {
    testo_ = testo;
}

void LetturaTesto::ImpostaPrefisso(const QString& prefisso) {
    prefisso_ = prefisso;
}

std::optional<FraseDaLeggere> LetturaTesto::Leggi() {
    return LeggiDalCursore(0);
}

std::optional<FraseDaLeggere> LetturaTesto::LeggiDalCursore(int caratteriPrimaDelCursore) {
    lunghezza_ = static_cast<int>(std::min<qsizetype>(testo_.size(), 0x7FFFFFFF));
    const int p = std::clamp(caratteriPrimaDelCursore, 0, lunghezza_);
    inizio_ = fine_ = posizione_ = p;
    fineFrase_ = 0;
    continua_ = true;
    interrotta_ = false;
    return ProssimaFrase();
}

IntervalloTesto LetturaTesto::Interrompi() {
    continua_ = false;
    interrotta_ = false;
    return Rosso();
}

std::optional<FraseDaLeggere> LetturaTesto::RiprendiDallaParola() {
    fine_ = posizione_ = inizio_;
    continua_ = true;
    interrotta_ = false;
    return ProssimaFrase();
}

std::optional<FraseDaLeggere> LetturaTesto::RiprendiDopoLaParola() {
    continua_ = true;
    interrotta_ = false;
    return ProssimaFrase();
}

void LetturaTesto::FraseInterrotta() {
    if (continua_)
        interrotta_ = true;
}

LetturaTesto::Evidenziazione LetturaTesto::Segnalibro(int numero) {
    parolaDellaFrase_ = true;
    Evidenziazione e;
    e.normale = Rosso();
    inizio_ = fine_;
    fine_ = std::max(numero, 0);
    posizione_ = fine_;
    e.rossa = Rosso();
    return e;
}

LetturaTesto::Completamento LetturaTesto::RichiestaCompletata(int idRichiesta) {
    Completamento c;
    if (idRichiesta != richiesta_ || !continua_)
        return c;
    c.normale = Rosso();
    if (interrotta_) {
        // Back to the word that was cut off, which is read again.
        posizione_ =
            parolaDellaFrase_ ? std::clamp(inizio_, inizioFrase_, fineFrase_) : inizioFrase_;
        inizio_ = fine_ = posizione_;
        c.prossima = ProssimaFrase();
        if (!c.prossima)
            continua_ = false;
        return c;
    }
    // The sentence was said to its end even when the character reported no bookmark for its
    // last words: the next one starts after it, never again at the same place.
    posizione_ = std::max(posizione_, fineFrase_);
    c.prossima = ProssimaFrase();
    if (!c.prossima)
        continua_ = false; // the end of the text: reading is over
    return c;
}

std::optional<FraseDaLeggere> LetturaTesto::ProssimaFrase() {
    const int fine = std::min<int>(lunghezza_, static_cast<int>(testo_.size()));
    // Sentences made only of separators ("..." or blank lines) would be silent requests: they are
    // passed over, and the reading goes on with the next sentence that has words.
    while (true) {
        auto frase = Leggo::ProssimaFrase(QStringView(testo_).first(fine), posizione_, prefisso_,
                                          separatori_);
        if (!frase)
            return std::nullopt;
        if (frase->haParole) {
            inizioFrase_ = posizione_;
            fineFrase_ = frase->posizioneFinale;
            parolaDellaFrase_ = false;
            interrotta_ = false;
            return frase;
        }
        posizione_ = frase->posizioneFinale;
    }
}

IntervalloTesto LetturaTesto::Rosso() const {
    const int n = static_cast<int>(testo_.size());
    const int a = std::clamp(inizio_, 0, n);
    const int b = std::clamp(fine_, 0, n);
    return {a, std::max(a, b)};
}
