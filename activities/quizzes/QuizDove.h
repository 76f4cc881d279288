#pragma once

#include "workspace/colori/ColoriMappa.h"
#include "workspace/colori/FiltroCategorie.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The random draws of the quizzes and the test: a number 0..n-1. By default one generator of the
// program, seeded once per run; tests fix the sequence.
namespace EstrazioneQuiz {
using Funzione = std::function<int(int n)>;
void Imposta(Funzione funzione);
int Estrai(int n);
} // namespace EstrazioneQuiz

// The where-is quiz without its window: the element slots, which of them may be asked, the found
// and wrongly chosen flags, the question asked and the two counts.
//
// Slots keep the positions of the catalog the window shows (slot 0 of a region's list is an
// empty name, never asked). A question is drawn among the slots that may be asked and are not
// found yet, so the draw always ends.
class QuizDove {
public:
    struct Elemento {
        QString nome;
        bool chiedibile = true; // inside the quiz: may be asked, counts for the end
    };

    enum class Esito {
        Ignorata, // no count, no sound, no message
        Giusta,
        Sbagliata,
    };

    QuizDove() = default;
    explicit QuizDove(QList<Elemento> elementi) { ImpostaElementi(std::move(elementi)); }

    // New slots (a change of category): nothing is found, no question is open; the counts stay.
    void ImpostaElementi(QList<Elemento> elementi);
    const QList<Elemento>& Elementi() const { return elementi_; }
    int UltimoSlot() const { return static_cast<int>(elementi_.size()) - 1; }
    QString Nome(int slot) const;
    bool Chiedibile(int slot) const;

    // "&Ricomincia": every slot not found again. The counts stay, as does the exercise.
    void Ricomincia();
    // The counts go back to zero (a new exercise).
    void AzzeraConteggi();

    // GeneraEsercizio: clears the wrong flags and draws the next question; nullopt when every
    // slot that may be asked is found (the end).
    std::optional<int> ProssimaDomanda();
    bool Finito() const;
    // The slot asked for; -1 before the first question and after the end.
    int Richiesto() const { return richiesto_; }
    QString NomeRichiesto() const { return Nome(richiesto_); }
    // Slots that may be asked.
    int DaTrovare() const;

    // A click with the mouse: the element's name. Counted.
    Esito Clic(const QString& nome);
    // A scanning selection of a slot: right or wrong, never counted. A wrong selection marks the
    // slot (and every slot of the same name) as wrong when segnaErrore is true (manual scanning).
    Esito Selezione(int slot, bool segnaErrore);

    bool Trovato(int slot) const { return slot >= 0 && slot < trovato_.size() && trovato_[slot]; }
    bool Sbagliato(int slot) const {
        return slot >= 0 && slot < sbagliato_.size() && sbagliato_[slot];
    }
    int RisposteEsatte() const { return esatte_; }
    int RisposteErrate() const { return errate_; }

    // "No! Stai sbagliando! Hai cliccato X. Devi cliccare Y!"
    static QString FraseErrore(const QString& cliccato, const QString& richiesto);

private:
    void SegnaSbagliato(const QString& nome);

    QList<Elemento> elementi_;
    QList<bool> trovato_;
    QList<bool> sbagliato_;
    int richiesto_ = -1;
    int esatte_ = 0;
    int errate_ = 0;
};

inline const QString FineQuizPolitico = QStringLiteral("Bravo, hai terminato.");
inline const QString FineQuizFisico = QStringLiteral("Bravo, hai terminato!");
inline const QString NessunElementoDelTipo = QStringLiteral("Non ci sono elementi di questo tipo");

// The physical quiz's view of its catalog through the category filter (ElencoFiltrato): every
// row keeps its name; a row inside the filter keeps its category and stored colour, one outside
// takes "indistinto" and the colour of SchemaFisico 9. "Tutto" takes every category but
// "indistinto" and, in the area windows, "altri".
struct VoceFiltrata {
    QString nome;
    QString categoria;
    QString colore;
    bool dentro = false;
    bool operator==(const VoceFiltrata&) const = default;
};
QList<VoceFiltrata> ElencoFiltrato(RigheFisiche righe, CategoriaFiltro categoria, bool regionale,
                                   const QString& coloreFuori);
// The quiz slots of a filtered list: inside the filter means may be asked.
QList<QuizDove::Elemento> ElementiQuiz(const QList<VoceFiltrata>& elenco);
