#pragma once

#include "workspace/colori/ColoriMappa.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One piece of a puzzle: the map element it belongs to, its physical category (empty on
// political maps) and its own colour, which its place takes once the piece is in it.
struct PezzoPuzzle {
    QString nome;
    QString categoria;
    QString colore; // "RRGGBB"
    bool operator==(const PezzoPuzzle&) const = default;
};

// The colours of a puzzle map, "RRGGBB".
struct ColoriPuzzle {
    QString pezzo;       // every piece object (name + "p")
    QString vuoto;       // an empty place
    QString escluso;     // a feature that is never a piece, and the inactive parts with "Decolora"
    PassataColori altri; // objects painted after the pieces ("Confini" on world political maps)
    bool operator==(const ColoriPuzzle&) const = default;
};

// The game of the four puzzle windows, without widgets. The pieces are offered one at a time,
// drawn uniformly among those still to place; a right placement (a hit reported by the map, or
// the right place chosen by scanning) puts the piece in and the window asks for the next draw
// after its pause; when no piece is left the game is over.
//
// Between a placement (or a Cambia) and the draw that follows it the game is "in estrazione":
// no piece is on offer, so a second hit, a second Enter or a Cambia arriving during the pause
// change nothing, and a draw asked twice offers one piece only.
//
// Physical maps: features of the excluded categories ("indistinto", and "altri" on the world
// maps) are never pieces; a category chosen in "&Visualizza" leaves only its features in play.
class GiocoPuzzle {
public:
    enum class Fase {
        Estrazione, // waiting for the draw (after activation, a placement, a Cambia)
        Offerta,    // a piece is on offer
        Finito,     // every piece of the game is in place
    };
    enum class Esito {
        Nulla,     // no piece on offer (during a draw, after the end): nothing happens
        Giusta,    // the piece on offer is placed; a draw must follow
        Sbagliata, // another place: nothing happens
    };
    enum class EsitoCambia {
        Nulla,  // a draw is already under way
        Estrai, // the piece on offer goes back (its name in PezzoDaNascondere); draw again
        Finito, // the game is over: show the end again
    };

    // A number in 0..n-1 (n > 0); uniform by default.
    using Estrazione = std::function<int(int n)>;

    // categorieEscluse: the category words whose features are never pieces.
    GiocoPuzzle(QList<PezzoPuzzle> pezzi, QStringList categorieEscluse, Estrazione estrazione = {});

    // A new game: every place empty, the filter applied, nothing offered yet.
    void Ricomincia();
    // The draw. Only while in estrazione; otherwise nothing happens and the piece on offer is
    // returned. Gives the index of the piece now on offer, or -1 when the game is over.
    int Estrai();
    // The map reported that the piece on offer was dropped on its place.
    Esito PosaPezzoOfferto();
    // A place chosen by scanning: right when it is the place of the piece on offer (names are
    // compared, so features sharing a name are all right).
    Esito Seleziona(int indice);
    // "&Cambia": the piece on offer goes back and another is drawn (it may be the same one:
    // the draw is over every piece still to place); the count of pieces offered is unchanged.
    EsitoCambia Cambia();

    // "&Visualizza": only the features of a category word are in play; Tutto() every feature.
    // Each restarts the game. "Decolora parti inattive" paints the features out of play in the
    // excluded colour; switching it restarts the game as well.
    void ScegliCategoria(const QString& parola);
    void ScegliTutto();
    void ImpostaDecolora(bool decolora);

    Fase FaseGioco() const { return fase_; }
    int Numero() const { return static_cast<int>(pezzi_.size()); }
    const PezzoPuzzle& Pezzo(int indice) const { return pezzi_.at(indice); }
    int PezzoCorrente() const { return fase_ == Fase::Offerta ? corrente_ : -1; }
    QString NomeCorrente() const;
    // Pieces offered so far, the one on offer included; a Cambia does not count.
    int PezziOfferti() const { return offerti_; }
    // The piece sent back by the last Cambia.
    int PezzoDaNascondere() const { return daNascondere_; }
    // Whether a feature is a piece of this game (not excluded, within the chosen category).
    bool InGioco(int indice) const;
    // Placed by the pupil in this game.
    bool Posato(int indice) const;
    // Nothing left to do there: placed, or not in play (PezzoInserito).
    bool Inserito(int indice) const;
    int DaPosare() const;
    int PezziInGioco() const;
    const QString& CategoriaScelta() const { return categoriaScelta_; }
    bool Tutto() const { return tutto_; }
    bool Decolora() const { return decolora_; }

    // The colour a place shows now: its own once placed, or when it is out of play (or the
    // excluded colour: for excluded features, and for inactive ones with "Decolora"); the empty
    // colour otherwise.
    QString ColorePosto(int indice, const ColoriPuzzle& colori) const;
    // The whole map: every piece object, every place as ColorePosto, then colori.altri.
    PassataColori Colori(const ColoriPuzzle& colori) const;

private:
    bool Escluso(int indice) const;
    void Offri(int indice);

    QList<PezzoPuzzle> pezzi_;
    QStringList escluse_;
    Estrazione estrazione_;
    QList<bool> posati_;
    Fase fase_ = Fase::Estrazione;
    int corrente_ = -1;
    int offerti_ = 0;
    int daNascondere_ = -1;
    QString categoriaScelta_;
    bool tutto_ = true;
    bool decolora_ = false;
};

// The region a regional puzzle shows: the one chosen when it is one of regioni, otherwise (the
// region chooser's "tutte") one of them drawn at random; empty when there is none.
QString RegioneDelGioco(const QStringList& regioni, const QString& scelta,
                        const GiocoPuzzle::Estrazione& estrazione = {});
