#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The few file operations the wizard needs, behind an interface so that tests can fail them.
class FileSystemSetup {
public:
    virtual ~FileSystemSetup() = default;
    // A folder exists when a listing of it works (hidden and system entries included).
    virtual bool EsisteCartella(const QString& percorso) const = 0;
    // Creates the folder and every missing parent; an Italian reason on failure.
    virtual std::optional<QString> CreaCartella(const QString& percorso) = 0;
    // The plain file names of a folder (no folders, no "." and ".."), hidden ones too.
    virtual QStringList FileDellaCartella(const QString& percorso) const = 0;
    // Copies a file, replacing the destination only once the copy is whole; an Italian reason
    // on failure.
    virtual std::optional<QString> CopiaFile(const QString& sorgente,
                                             const QString& destinazione) = 0;
};

// The real file system.
class FileSystemReale : public FileSystemSetup {
public:
    bool EsisteCartella(const QString& percorso) const override;
    std::optional<QString> CreaCartella(const QString& percorso) override;
    QStringList FileDellaCartella(const QString& percorso) const override;
    std::optional<QString> CopiaFile(const QString& sorgente, const QString& destinazione) override;
};
