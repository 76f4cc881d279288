#pragma once

#include "workspace/colori/ColoriMappa.h"

#include <QString>

#include <optional>

// What a click on an exploration map does (mouse mode only; the scanning modes ignore clicks).
struct AzioneSelezione {
    std::optional<ColoreElemento> ripristina; // the element chosen before, back in its own colour
    std::optional<ColoreElemento> evidenzia;  // the element clicked, in the highlight colour
    QString testoNome;                        // new text of the name box (empty: emptied)
    bool leggi = false;                       // speak testoNome (after StopAll)
    bool operator==(const AzioneSelezione&) const = default;
};

// The element the pupil chose with the mouse on an exploration map (ElementoSelezionato) and the
// rules of a click: the element chosen before gets its own colour back, the clicked one is
// highlighted, named in the name box and spoken. On physical maps a click on undistinguished land
// or on the border layer only empties the name box.
class SelezioneMappa {
public:
    // Political maps: the elements with their own colours, as the colour pass sends them
    // (ColoriSceltaRegione for an area, ColoriProvince for one region).
    static SelezioneMappa Politica(PassataColori elementi, const QString& evidenziazione);
    // Physical maps: the catalog rows (name, category, stored colour).
    static SelezioneMappa Fisica(RigheFisiche righe, const QString& evidenziazione);

    // The map's FSCommand: "elemento" + name.
    AzioneSelezione Clic(const QString& comando);

    const QString& ElementoSelezionato() const { return selezionato_; }

    static inline constexpr int LunghezzaPrefisso = 8; // "elemento"

private:
    struct Voce {
        QString nome;
        QString categoria;
        QString colore;
    };
    QList<Voce> voci_;
    QString evidenziazione_;
    bool fisica_ = false;
    QString selezionato_;
};
