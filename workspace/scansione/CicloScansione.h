#pragma once

#include <functional>

// Which element the scanning highlight is on and where one step takes it. Elements are the
// indices 0..ultimo of a catalog or a row of tiles; -1 means nothing highlighted yet. A step
// moves to the next index, wrapping from the last back to 0, and passes over the elements the
// skip test names (the "indistinto" features of physical maps, the hidden "Test" tile).
class CicloScansione {
public:
    // Which element a step gives back its own colour.
    enum class Ripristino {
        // The element left behind, or the last element when nothing was highlighted before
        // (political maps and the region chooser repaint it, which shows no change).
        Precedente,
        // Only the element left behind (physical maps, tiles).
        SoloSeEvidenziato,
    };

    struct Passo {
        int daRipristinare = -1; // element to repaint in its own colour, -1 none
        int evidenziato = -1;    // element to highlight, -1 none (every element is skipped)
        bool operator==(const Passo&) const = default;
    };

    explicit CicloScansione(int ultimo = -1, Ripristino ripristino = Ripristino::SoloSeEvidenziato,
                            std::function<bool(int)> salta = {});

    // The skip test is asked at every step, so it may follow changing state.
    void ImpostaSalto(std::function<bool(int)> salta) { salta_ = std::move(salta); }
    void ImpostaUltimo(int ultimo);

    int Indice() const { return indice_; }
    int Ultimo() const { return ultimo_; }
    // Any value outside 0..ultimo means nothing highlighted.
    void ImpostaIndice(int indice);
    void Azzera() { indice_ = -1; }
    // After a selection: the next step starts again from the first element
    // ("Riparti dall'inizio dopo la selezione").
    void RipartiDallInizio() { indice_ = ultimo_; }

    Passo Avanza();

private:
    int ultimo_;
    Ripristino ripristino_;
    std::function<bool(int)> salta_;
    int indice_ = -1;
};
