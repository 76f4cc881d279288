#include "shell/StatoProgramma.h"

#include "shell/Percorsi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <QThread>
#include <cstdio>

StatoProgramma& Stato() {
    static StatoProgramma stato;
    return stato;
}

OpzioniScansione& OpzioniUtente() {
    return Stato().Opzioni;
}

void InizializzaStato(StatoProgramma& s, const QString& cartellaImpostazioni) {
    s.CartellaImpostazioni = cartellaImpostazioni;
    if (!s.CartellaImpostazioni.isEmpty() && !s.CartellaImpostazioni.endsWith(u'/'))
        s.CartellaImpostazioni += u'/';
    ImpostaUtente(s, NomeUtentePredefinito);
    s.Registro.Svuota();
    s.PerRegioni = false;
    s.AreaScelta.clear();
    s.AttivitaScelta = 0;
    s.RegioneScelta.clear();
    s.FileTesto.clear();
    s.Opzioni = {};
    ProfiloPredefinito(s);
}

void ImpostaUtente(StatoProgramma& s, const QString& nome) {
    s.NomeUtente = nome;
    const QString file = nome + QStringLiteral(".ini");
    s.FileProfilo =
        s.CartellaImpostazioni + Percorsi::NomeNellaCartella(s.CartellaImpostazioni, file);
}

void ProfiloPredefinito(StatoProgramma& s) {
    s.Profilo = ProfiloPredefinito();
    s.PrefissoVoce = PrefissoVoce(s.Profilo);
}

namespace {

std::optional<ProfiloUtente> profiloDaFile(const QString& percorso) {
    if (const auto dati = Percorsi::LeggiFileRegolare(percorso, DimensioneMassimaProfilo))
        return LeggiProfilo(*dati);
    return std::nullopt;
}

} // namespace

void CaricaProfilo(StatoProgramma& s) {
    std::optional<ProfiloUtente> letto;
    if (VerificaNomeUtente(s.NomeUtente) == std::nullopt && Percorsi::EsisteFile(s.FileProfilo))
        letto = profiloDaFile(s.FileProfilo);
    s.Profilo = letto.value_or(ProfiloPredefinito());
    s.PrefissoVoce = PrefissoVoce(s.Profilo);
    s.Opzioni = VerificaNomeUtente(s.NomeUtente) == std::nullopt
                    ? LeggiOpzioniScansione(FileOpzioni(s.FileProfilo))
                    : OpzioniScansione{};
}

std::optional<QString> SalvaProfilo(const StatoProgramma& s, QString* avviso) {
    if (s.NomeUtente.trimmed().isEmpty())
        return std::nullopt;
    if (auto errore = VerificaNomeUtente(s.NomeUtente))
        return errore;
    const QFileInfo esistente(s.FileProfilo);
    if ((esistente.exists() || esistente.isSymLink()) && !esistente.isDir() &&
        !profiloDaFile(s.FileProfilo)) {
        // Whatever is there (a damaged profile, a link, a FIFO) is moved aside whole, not read.
        const QString copia = s.FileProfilo + QStringLiteral(".bak");
        if (::rename(QFile::encodeName(s.FileProfilo).constData(),
                     QFile::encodeName(copia).constData()) != 0)
            return QStringLiteral("Il profilo \"%1\" non si può leggere e non è stato possibile "
                                  "metterlo da parte: non è stato sovrascritto.")
                .arg(QDir::toNativeSeparators(s.FileProfilo));
        if (avviso)
            *avviso =
                QStringLiteral("Il profilo dell'utente \"%1\" non si poteva leggere ed è stato "
                               "sostituito con le impostazioni in uso. Il vecchio file è "
                               "stato conservato come \"%2\".")
                    .arg(s.NomeUtente, QDir::toNativeSeparators(copia));
    }
    if (auto errore = Percorsi::ScriviFileAtomico(s.FileProfilo, ScriviProfilo(s.Profilo)))
        return errore;
    // The options file is written once a user has options of their own (and from then on, so
    // that going back to the defaults is kept too).
    const QString opzioni = FileOpzioni(s.FileProfilo);
    if (s.Opzioni == OpzioniScansione{} && !QFile::exists(opzioni))
        return std::nullopt;
    return Percorsi::ScriviFileAtomico(opzioni, ScriviOpzioniScansione(s.Opzioni));
}

std::optional<QString> VerificaNomeUtente(const QString& nome) {
    const QString n = nome.trimmed();
    if (n.isEmpty())
        return QStringLiteral("Il nome dell'utente è vuoto.");
    if (nome.size() > 64)
        return QStringLiteral("Il nome dell'utente è troppo lungo: al massimo 64 caratteri.");
    for (QChar c : nome) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return QStringLiteral("Il nome dell'utente contiene un carattere di controllo.");
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            return QStringLiteral(
                "Il nome dell'utente non può contenere i caratteri / \\ : * ? \" < > |.");
    }
    if (n == u"." || n == u".." || nome.contains(QStringLiteral("..")))
        return QStringLiteral("Il nome dell'utente non può contenere \"..\".");
    if (nome.endsWith(u'.') || nome.endsWith(u' ') || nome.startsWith(u' '))
        return QStringLiteral("Il nome dell'utente non può iniziare con uno spazio né finire con "
                              "un punto o uno spazio.");
    static const QStringList riservati{
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
        QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
        QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
        QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
        QStringLiteral("LPT9")};
    const QString base = nome.section(u'.', 0, 0).trimmed().toUpper();
    if (riservati.contains(base))
        return QStringLiteral("\"%1\" è un nome riservato dal sistema: scegli un altro nome.")
            .arg(nome);
    return std::nullopt;
}

namespace {

QStringList nomiProfili(const QString& cartella) {
    QDir d(cartella);
    const auto voci =
        d.entryList({QStringLiteral("*.ini")},
                    QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDir::Name | QDir::IgnoreCase);
    QStringList nomi;
    for (const QString& v : voci) {
        if (!v.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive) || v.size() <= 4)
            continue;
        // The switch options beside a profile are no user.
        if (EFileOpzioni(v))
            continue;
        const QString nome = v.left(v.size() - 4);
        // A name the program refuses as a user could never be loaded nor saved.
        if (VerificaNomeUtente(nome))
            continue;
        nomi.append(nome);
    }
    return nomi;
}

} // namespace

QStringList ElencoUtentiMenu(const QString& cartellaImpostazioni) {
    QStringList out;
    for (const QString& n : nomiProfili(cartellaImpostazioni)) {
        const QString l = n.toLower();
        if (!out.contains(l))
            out.append(l);
    }
    return out;
}

QStringList ElencoUtentiConfigurazione(const QString& cartellaImpostazioni) {
    QStringList out;
    for (const QString& n : nomiProfili(cartellaImpostazioni)) {
        const QString u = n.toUpper();
        if (u == NomeUtentePredefinito.toUpper() || out.contains(u))
            continue;
        out.append(u);
    }
    return out;
}

QByteArray TestoLeggimi() {
    const QString testo = QStringLiteral(
        "Questa cartella contiene i files di impostazione del programma 'Orbisto di Tessivo'.\r\n"
        " \r\n"
        "Se il programma presenta problemi di funzionamento può essere utile cancellarla.\r\n");
    return testo.toUtf8();
}

std::optional<QString> CreaCartellaImpostazioni(const QString& cartellaImpostazioni) {
    if (!QDir().mkpath(cartellaImpostazioni))
        return QStringLiteral(
                   "Impossibile creare la cartella delle impostazioni \"%1\". "
                   "Il programma userà le impostazioni predefinite e non potrà salvarle.")
            .arg(QDir::toNativeSeparators(cartellaImpostazioni));
    if (auto errore = Percorsi::ScriviFileAtomico(
            QDir(cartellaImpostazioni).filePath(QStringLiteral("leggimi.txt")), TestoLeggimi()))
        return *errore;
    return std::nullopt;
}

void Pausa(double secondi) {
    if (!(secondi > 0))
        return;
    QElapsedTimer t;
    t.start();
    const qint64 limite = static_cast<qint64>(secondi * 1000.0);
    while (t.elapsed() < limite) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}
