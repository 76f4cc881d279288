#!/usr/bin/env bash
# Step 5/7: the Italian voice of the speech engine.
. "$(dirname "$0")/comune.sh"
installa_pacchetti espeak-ng-data
