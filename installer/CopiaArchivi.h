#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class FileSystemSetup;

// The copy of the atlas's data folders: the same folder names below the source and the
// destination root, spelled as the atlas reads them (area folders capitalised, the texts of
// Italy in "testi/italia"), and four kinds of file: documents, texts, maps, sounds.
namespace CopiaArchivi {

// The data folders, in the order they are copied, relative to either root ("" is the root).
const QStringList& Cartelle();
// The file kinds, in the order they are copied (compared without regard to case).
const QStringList& Estensioni();

struct Errore {
    QString file;   // the file or folder that could not be copied or made
    QString motivo; // why, in Italian
};

struct Esito {
    int copiati = 0;
    int cartelleCreate = 0;
    QList<Errore> errori;
};

// Copies every data folder from sorgente to destinazione, creating the folders that are
// missing and overwriting files of the same name. A file or folder that fails is recorded and
// the copy goes on with the next.
Esito Copia(FileSystemSetup& fs, const QString& sorgente, const QString& destinazione);

// The closing message of the copy: "Copia completata", and how many files failed.
QString Messaggio(const Esito& esito);
// The failures, one per line ("file: motivo").
QString Dettagli(const Esito& esito);

} // namespace CopiaArchivi
