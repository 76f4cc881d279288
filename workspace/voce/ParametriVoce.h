#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// How the profile's speed and pitch become the synthesiser's, and which voices can be chosen.

inline constexpr int VelocitaVoceMinima = 50;
inline constexpr int VelocitaVoceMassima = 250;
inline constexpr int TonoVoceMinimo = 50;
inline constexpr int TonoVoceMassimo = 400;
inline constexpr int VelocitaVocePredefinita = 130;
inline constexpr int TonoVocePredefinito = 100;

// VelocitaVoce (50..250, clamped) to words per minute: 50 -> 90, 130 -> 154, 250 -> 250.
int VelocitaSintesi(int velocitaVoce);
// TonoVoce (50..400, clamped) to the synthesiser's base pitch 0..99 on a musical (logarithmic)
// scale: 50 -> 25, 100 -> 50, 200 -> 70, 400 -> 90.
int TonoSintesi(int tonoVoce);

// One voice the synthesiser can speak with.
struct ModoSintesi {
    QString identificatore; // stable, in braces: "{roa/it}"
    QString nome;           // shown in the configuration window
    QString lingua;         // main language code, "it"
    QString file;           // the synthesiser's own voice identifier, "roa/it"
    bool operator==(const ModoSintesi&) const = default;
};

// The voices that can really speak: Italian first (the plain voice before the others), then the
// rest by name; MBROLA voices ("mb/...") only when mbrolaPresente says their voice is installed.
QList<ModoSintesi> FiltraModi(QList<ModoSintesi> modi,
                              const std::function<bool(const QString& voceMbrola)>& mbrolaPresente);

// The Italian voices with readable names, each followed by its numbered variants: "Italiano",
// then "Italiano – voce femminile 1" ("{roa/it+f1}"), ..., "Italiano – voce maschile 1"
// ("{roa/it+m1}"), ... . varianti are the synthesiser's variant names ("m1", "f2", "klatt"...);
// only the numbered male and female ones are offered. Other voices are left as they are.
QList<ModoSintesi> ConVariantiItaliane(QList<ModoSintesi> modi, QStringList varianti);

// The voice that ModoVoce selects: the one with that identifier, otherwise (the historical default
// identifier, an empty or unknown one) the best Italian voice, otherwise the first one. Empty
// when the list is empty.
QString FileDelModo(const QList<ModoSintesi>& modi, const QString& modoVoce);

// True when the MBROLA voice named (e.g. "it3") and the mbrola program are installed.
bool MbrolaInstallato(const QString& voceMbrola);
