#pragma once

#include <QByteArray>
#include <QString>

// How a pupil's switches are read, beyond the profile's input mode: per user, in a file beside
// the profile ("<user>.opzioni.ini", Qt's INI format), so that the 33-line profile stays as it
// is and older profiles load unchanged. A missing or damaged file means the defaults.
struct OpzioniScansione {
    // "Leggi l'elemento evidenziato": every scanning step speaks what it highlights, cutting
    // the previous one short.
    bool leggiEvidenziato = false;
    // "Tempo di accettazione": a switch press counts only when held at least this long, in
    // tenths of a second (0..20).
    int accettazioneDecimi = 0;
    // "Giri prima della pausa": automatic scanning stops after this many loops without a press,
    // until the next press (0: never).
    int giriPrimaDellaPausa = 0;
    // "Evidenziazione spessa": a thicker scanning frame.
    bool evidenziazioneSpessa = false;

    int AccettazioneMs() const { return accettazioneDecimi * 100; }
    bool operator==(const OpzioniScansione&) const = default;
};

inline constexpr int AccettazioneDecimiMassima = 20;
inline constexpr int GiriPrimaDellaPausaMassimi = 20;
// How much thicker the scanning frame is drawn when evidenziazioneSpessa is on.
inline constexpr int SpessoreEvidenziazioneNormale = 6;
inline constexpr int SpessoreEvidenziazioneSpessa = 16;
inline int SpessoreEvidenziazione(const OpzioniScansione& o) {
    return o.evidenziazioneSpessa ? SpessoreEvidenziazioneSpessa : SpessoreEvidenziazioneNormale;
}
// The style sheet of a button highlighted by scanning: pure red, black text, a black frame as
// thick as the options say.
QString StileEvidenziato(const OpzioniScansione& o);

// The options file of a profile file: "marco.ini" -> "marco.opzioni.ini".
QString FileOpzioni(const QString& fileProfilo);
// True for names that are options files, not profiles (user lists skip them).
bool EFileOpzioni(const QString& nomeFile);

// The file's content (INI, UTF-8).
QByteArray ScriviOpzioniScansione(const OpzioniScansione& o);
// Reads an options file. A missing file, one Qt cannot parse, or any value that is not a number
// in its range gives the defaults, all of them.
OpzioniScansione LeggiOpzioniScansione(const QString& percorso);

// The options of the current user (the run state's, loaded and saved with the profile).
OpzioniScansione& OpzioniUtente();
