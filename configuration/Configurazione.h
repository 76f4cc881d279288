#pragma once

#include <QString>
#include <QStringList>

struct ProfiloUtente;

// What the configuration window's controls do to the profile, without the widgets.
namespace Configurazione {

// The political roles a palette click sets ("Colore 1".."Colore 4", "Selezione", "Sfondo",
// "Testi", "Sfondo mappa") and the physical ones ("Sfondo mappa" .. "Sfondo ").
QStringList RuoliPolitici();
QStringList RuoliFisici();
inline constexpr int RuoloPoliticoSfondo = 5;
inline constexpr int RuoloPoliticoTesti = 6;
inline constexpr int RuoloFisicoTesti = 1;
inline constexpr int RuoloFisicoSfondo = 11;

// A palette click with a role selected: the profile field of the role takes the palette index.
// Out-of-range roles or indices change nothing; returns whether a field changed.
bool ImpostaRuoloPolitico(ProfiloUtente& p, int ruolo, int indice);
bool ImpostaRuoloFisico(ProfiloUtente& p, int ruolo, int indice);
// The palette index a political role shows now.
int ColoreRuoloPolitico(const ProfiloUtente& p, int ruolo);

// "Velocità scansione: 1,00 secondi": TempoScansione quarter seconds, two decimals, Italian comma.
QString DidascaliaScansione(int tempoScansione);
// "Tempo di accettazione: 0,5 secondi" (tenths of a second).
QString DidascaliaAccettazione(int decimi);
// "Giri prima della pausa: 2", "Giri prima della pausa: mai" for 0.
QString DidascaliaGiri(int giri);
// "Velocità = 130", "Tono = 100".
QString DidascaliaVelocita(int velocita);
QString DidascaliaTono(int tono);
// "Font selezionato verdana - 24".
QString DidascaliaFont(const QString& nome, int dimensione);
// A character's name as the list shows it: each word with a capital initial ("merlin" -> "Merlin").
QString NomeProprio(const QString& nome);

} // namespace Configurazione
