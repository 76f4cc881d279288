#pragma once

#include "workspace/scansione/ComandoScansione.h"

#include <QList>
#include <QString>

// Scanning of the menus' picture tiles, and where the tiles lead.

// The area menu: seven tiles, "Italia" highlighted from the start, the automatic highlight
// moving at once; a selection is the tile's index (0 "Italia" .. 6 "Oceania").
inline constexpr int NumeroCaselleAree = 7;
ComandoScansione ScansioneMenuAree(ModoScansione modo, int intervalloMs);

// The activity menu's tiles.
enum class CasellaAttivita {
    MappaPolitica = 0,
    PuzzlePolitico = 1,
    DovePolitico = 2,
    Test = 3,
    MappaFisica = 4,
    PuzzleFisico = 5,
    DoveFisico = 6,
    Schede = 7,
    Torna = 8,
};
inline constexpr int NumeroCaselleAttivita = 9;

// The activity menu. For Italy the scanning pupil first chooses between "Nazione" and "Regioni"
// with the same keys (two buttons, "Nazione" highlighted first); then the highlight walks the
// tiles, over "Test" only after "Regioni".
class ScansioneMenuAttivita {
public:
    enum class Fase {
        Caselle,      // walking the tiles (any area but Italy, or after "Nazione")
        SceltaItalia, // choosing between "Nazione" (0) and "Regioni" (1)
        Regioni,      // walking the tiles after "Regioni": "Test" included
    };

    struct Evento {
        enum class Tipo {
            PassoScelta,  // repaint button daRipristinare, highlight button evidenziato
            Scelta,       // the choice is made: perRegioni
            PassoCasella, // repaint tile daRipristinare, highlight tile evidenziato
            Avvia,        // open the activity of tile `casella`
        };
        Tipo tipo;
        int daRipristinare = -1;
        int evidenziato = -1;
        bool perRegioni = false;
        int casella = -1;
        bool operator==(const Evento&) const = default;
    };
    using Eventi = QList<Evento>;

    ScansioneMenuAttivita(const QString& area, ModoScansione modo, int intervalloMs);
    ScansioneMenuAttivita(const ScansioneMenuAttivita&) = delete;
    ScansioneMenuAttivita& operator=(const ScansioneMenuAttivita&) = delete;

    // Activation: back to the starting phase and place (tile 0 highlighted).
    void Attiva();

    Eventi PremiSpazio();
    Eventi RilasciaSpazio();
    Eventi PremiInvio();
    Eventi RilasciaInvio();
    Eventi Trascorri(int millisecondi);
    std::optional<int> MillisecondiAlProssimoScatto() const;

    Fase FaseCorrente() const { return fase_; }
    bool TestVisibile() const { return fase_ == Fase::Regioni; }
    // The tile highlighted (-1 while the Italy choice is being made has no meaning for tiles:
    // tile 0 stays highlighted then).
    int CasellaEvidenziata() const { return casella_; }
    int SceltaEvidenziata() const;

private:
    Eventi Converti(const ComandoScansione::Eventi& eventi);
    void PassaAlleCaselle(Fase fase);

    QString area_;
    ModoScansione modo_;
    ComandoScansione comando_;
    Fase fase_ = Fase::Caselle;
    int casella_ = 0;
};

// The window that a tile of the activity menu opens.
enum class DestinazioneCasella {
    Nessuna, // "Test" outside Italy by regions: the tile is not shown
    MappaPolitica,
    PuzzlePolitico,
    DovePolitico,
    TestRegioni,
    MappaFisica,
    PuzzleFisico,
    DoveFisico,
    Scheda,
    MenuAree,
    SceltaRegione,
};
// italiaPerRegioni: the area is Italy and "Regioni" was chosen (by the option with the mouse,
// by the choice buttons when scanning). Every map activity of Italy by regions, political or
// physical, goes through the region chooser, with the mouse and with the switches alike.
DestinazioneCasella FinestraDellaCasella(int casella, bool italiaPerRegioni);

// The regional window the region chooser opens for AttivitaScelta.
enum class FinestraRegionale {
    Nessuna,
    MappaPoliticaRegione,
    PuzzlePoliticoRegione,
    DovePoliticoRegione,
    MappaFisicaRegione,
    PuzzleFisicoRegione,
    DoveFisicoRegione,
};
FinestraRegionale FinestraDellaRegione(int attivitaScelta);
// Whether that window needs the region's physical map (missing: "Questa regione non è ancora
// stata inserita.").
bool RichiedeMappaFisicaRegionale(int attivitaScelta);
// "Regione a caso" opens only the regional political map and puzzle; for the other activities
// the button leaves the chooser as it is.
FinestraRegionale FinestraRegioneACaso(int attivitaScelta);
