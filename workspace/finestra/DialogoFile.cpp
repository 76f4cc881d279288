#include "workspace/finestra/DialogoFile.h"

#include <QDir>
#include <QFileDialog>

QString DialogoFileQt::Scegli(QWidget* proprietario, int modo, const QString& titolo,
                              const QString& nomeIniziale, const QString& filtro,
                              const QString& cartellaIniziale, const QString& estensione) {
    QFileDialog dialogo(proprietario, titolo, cartellaIniziale, filtro);
    dialogo.setAcceptMode(modo == Apri ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialogo.setFileMode(modo == Apri ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::ReadOnly, false);
    if (!estensione.isEmpty())
        dialogo.setDefaultSuffix(estensione);
    if (!nomeIniziale.isEmpty())
        dialogo.selectFile(nomeIniziale.left(250));
    if (dialogo.exec() != QDialog::Accepted)
        return {};
    const QStringList scelti = dialogo.selectedFiles();
    return scelti.isEmpty() ? QString() : QDir::toNativeSeparators(scelti.first());
}

namespace {
DialogoFile* installato = nullptr;
}

DialogoFile& dialogoFile() {
    static DialogoFileQt vero;
    return installato ? *installato : vero;
}

void ImpostaDialogoFile(DialogoFile* altro) {
    installato = altro;
}
