#!/usr/bin/env bash
# Step 6/7: Italian translations of the standard dialogs (files, printing, fonts).
. "$(dirname "$0")/comune.sh"
installa_pacchetti qt6-translations-l10n
