#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// A pupil's profile: colours, font, voice, input mode and a few switches, read by the whole
// program. Colours are palette indices 0..215.
struct ProfiloUtente {
    QString NomeFont;
    qint16 DimensioneFont = 0;
    qint16 ColoreTesto = 0;
    qint16 ColoreSfondo = 0;
    std::array<qint16, 6> SchemaPolitico{}; // [0..3] classes, [4] selection, [5] map background
    std::array<qint16, 12> SchemaFisico{};  // roles, see the physical scheme
    bool RipartiDopoSelezione = false;
    qint16 VelocitaVoce = 0;
    qint16 TonoVoce = 0;
    bool ParlatoAttivo = false;
    bool SuoniAttivi = false;
    qint16 ModalitaAccesso = 0; // 0 mouse, 2 manual scanning, 3 automatic scanning
    qint16 TempoScansione = 0;  // quarter seconds
    bool PuntatoreSistema = false;
    bool TracciaAttivita = false;
    QString ModoVoce;
    QString Personaggio;

    bool operator==(const ProfiloUtente&) const = default;
};

inline constexpr int RigheProfilo = 33;
inline constexpr int ModalitaMouse = 0;
inline constexpr int ModalitaScansioneManuale = 2;
inline constexpr int ModalitaScansioneAutomatica = 3;

// The default profile (the two "Configurazione 1" colour schemes and the defaults of every line).
ProfiloUtente ProfiloPredefinito();

// "\Spd=130\\Pit=100\" from the profile's speed and pitch.
QString PrefissoVoce(const ProfiloUtente& p);

// The 33-line file as bytes: Windows-1252, CR LF, numbers as " 24 ", flags "True"/"False".
QByteArray ScriviProfilo(const ProfiloUtente& p);

// Reads the 33 lines with the sequential-input rules; text values are cut to 255 characters.
// Any read error (file too short, a number
// that does not fit 16 bits, a value that is not a number) gives nullopt: the caller then
// takes the complete default profile.
std::optional<ProfiloUtente> LeggiProfilo(QByteArrayView dati);

// Windows-1252, the encoding of profile files written by every version of the program.
namespace Cp1252 {
QString Decodifica(QByteArrayView dati);
// Characters outside Windows-1252 become '?'. The five bytes Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 controls of the same value and encode back unchanged.
QByteArray Codifica(QStringView testo);
} // namespace Cp1252
