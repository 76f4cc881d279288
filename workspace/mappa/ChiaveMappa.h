#pragma once

#include <QString>

#include <optional>

// The windows choose a map by its historical key: "swf/<area>/<area><suffix>.swf" or
// "swf/regioniitaliane/<region><suffix>.swf", possibly preceded by the program folder and with
// '\' separators. All variants of one map share one data file; the suffix only says how the map
// widget behaves (pointer, exploration or puzzle, drag or scanning).

enum class TipoMappa { Politica, Fisica };

struct ChiaveMappa {
    QString cartella; // "Europa", "regioniitaliane", ...
    QString nome;     // "Europa", "Valle d'Aosta", ...
    QString suffisso; // "pol1pm", "fis2scansione", ... (empty for a direct data file path)
    QString fileDati; // full path of the data file
    TipoMappa tipo = TipoMappa::Politica;
    bool puntatoreGrande = false; // our own large pointer instead of the system one
    bool puzzle = false;          // pieces exist and can be placed
    bool trascinamento = false;   // puzzle pieces are dragged with the mouse (not scanning)
};

// Resolves a key. A path ending in ".geojson" is taken as the data file itself (exploration,
// system pointer, kind unknown until loaded: Politica). Returns nullopt for anything that is
// neither a map key nor a data file path.
std::optional<ChiaveMappa> RisolviChiaveMappa(const QString& chiave);

// The data file of a key ("" for a key that is not one).
QString FileDellaMappa(const QString& chiave);

// Whether the data file of a key exists (names compared without regard to case, like EsisteFile).
bool EsisteMappa(const QString& chiave);
