#pragma once

#include <QString>

#include <functional>

class QWidget;

// Opens a document (a PDF of the data folder) with the desktop's viewer. Every error is
// swallowed: a missing document or a missing viewer shows nothing from the program.
void ApriDocumento(QWidget* finestra, const QString& percorso);

// Tests replace the desktop with their own opener; an empty function restores the desktop.
using ApertoreDocumenti = std::function<void(const QString& percorso)>;
void ImpostaApertoreDocumenti(ApertoreDocumenti apertore);
