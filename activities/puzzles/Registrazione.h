#pragma once

// Gives the four puzzle windows their navigation names.
void RegistraFinestrePuzzle();
