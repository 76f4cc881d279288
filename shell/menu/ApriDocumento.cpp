#include "shell/menu/ApriDocumento.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
ApertoreDocumenti& apertore() {
    static ApertoreDocumenti a;
    return a;
}
} // namespace

void ImpostaApertoreDocumenti(ApertoreDocumenti a) {
    apertore() = std::move(a);
}

void ApriDocumento(QWidget*, const QString& percorso) {
    if (apertore()) {
        apertore()(percorso);
        return;
    }
    // The result is ignored: without a viewer nothing happens.
    QDesktopServices::openUrl(QUrl::fromLocalFile(percorso));
}
