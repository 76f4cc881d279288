#pragma once

// Registers the four map exploration windows with the navigation: "FormMappaPol",
// "FormMappaPolReg", "FormMappaFis" and "FormMappaRegioniFis".
void RegistraFinestreEsplorazione();
