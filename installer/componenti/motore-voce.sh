#!/usr/bin/env bash
# Step 3/7: the speech engine.
. "$(dirname "$0")/comune.sh"
installa_pacchetti espeak-ng libespeak-ng1
