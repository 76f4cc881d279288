#pragma once

// Gives the quiz and test windows their navigation names.
void RegistraFinestreQuiz();
