#pragma once

#include <QString>

class QWidget;

// The program's open and save file dialogs, behind an interface so that tests can answer them.
// DialogoFile(owner, mode, title, initial name, filter, initial folder, default extension):
// mode 1 opens an existing file, any other mode saves. The filter is Qt's list of "description
// (patterns)" entries separated by ";;"; the first is preselected. The result is the chosen
// path, or the empty text when the pupil cancelled.
class DialogoFile {
public:
    enum Modo { Salva = 0, Apri = 1 };
    virtual ~DialogoFile() = default;
    virtual QString Scegli(QWidget* proprietario, int modo, const QString& titolo,
                           const QString& nomeIniziale, const QString& filtro,
                           const QString& cartellaIniziale, const QString& estensione) = 0;
};

// Through QFileDialog: the open dialog accepts only existing files, the save dialog asks before
// overwriting; the default extension is added to a name typed without one.
class DialogoFileQt final : public DialogoFile {
public:
    QString Scegli(QWidget* proprietario, int modo, const QString& titolo,
                   const QString& nomeIniziale, const QString& filtro,
                   const QString& cartellaIniziale, const QString& estensione) override;
};

// The dialogs in use: QFileDialog unless a test installed others.
DialogoFile& dialogoFile();
// Installs other dialogs (not owned); nullptr restores the real ones.
void ImpostaDialogoFile(DialogoFile* altro);
