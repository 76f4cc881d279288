#pragma once

struct ProfiloUtente;

// The preset colour schemes. Each overwrites the fields of one scheme and nothing else;
// the caller saves and repaints.
void PresetPolitico1(ProfiloUtente& p);
void PresetPolitico2(ProfiloUtente& p);
void PresetPolitico3(ProfiloUtente& p);
void PresetFisico1(ProfiloUtente& p);
void PresetFisico2(ProfiloUtente& p);
void PresetFisico3(ProfiloUtente& p);
void PresetFisico4(ProfiloUtente& p);

inline constexpr int NumeroPresetPolitici = 3;
inline constexpr int NumeroPresetFisici = 4;
// n counts from 1 ("Configurazione 1"); out-of-range numbers do nothing.
void ApplicaPresetPolitico(ProfiloUtente& p, int n);
void ApplicaPresetFisico(ProfiloUtente& p, int n);
