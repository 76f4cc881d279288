#pragma once

#include <functional>

class QDialog;

// Shows the printing windows modally: QDialog::exec() unless a test installed another way (which
// drives the window and closes it, so that no event loop waits for a user).
using FunzioneModale = std::function<void(QDialog&)>;
void EseguiModale(QDialog& finestra);
// Installs another way of showing them; an empty function restores exec().
void ImpostaModale(FunzioneModale funzione);
