#include "catalog/Preset.h"

#include "shell/Profilo.h"

namespace {

struct SchemaPolitico {
    qint16 testo, sfondo;
    std::array<qint16, 6> schema;
};

constexpr SchemaPolitico politici[NumeroPresetPolitici] = {
    {5, 1, {0, 24, 82, 131, 9, 88}},
    {5, 0, {210, 24, 100, 145, 9, 88}},
    {0, 5, {9, 24, 102, 131, 0, 91}},
};

constexpr std::array<qint16, 12> fisici[NumeroPresetFisici] = {
    {89, 5, 197, 190, 9, 100, 7, 1, 192, 2, 5, 0},
    {0, 0, 197, 206, 57, 100, 90, 0, 56, 1, 81, 5},
    {0, 5, 197, 206, 57, 100, 90, 0, 56, 1, 81, 88},
    {0, 0, 197, 190, 9, 100, 7, 0, 2, 1, 24, 5},
};

} // namespace

void ApplicaPresetPolitico(ProfiloUtente& p, int n) {
    if (n < 1 || n > NumeroPresetPolitici)
        return;
    const SchemaPolitico& s = politici[n - 1];
    p.ColoreTesto = s.testo;
    p.ColoreSfondo = s.sfondo;
    p.SchemaPolitico = s.schema;
}

void ApplicaPresetFisico(ProfiloUtente& p, int n) {
    if (n < 1 || n > NumeroPresetFisici)
        return;
    p.SchemaFisico = fisici[n - 1];
}

void PresetPolitico1(ProfiloUtente& p) {
    ApplicaPresetPolitico(p, 1);
}
void PresetPolitico2(ProfiloUtente& p) {
    ApplicaPresetPolitico(p, 2);
}
void PresetPolitico3(ProfiloUtente& p) {
    ApplicaPresetPolitico(p, 3);
}
void PresetFisico1(ProfiloUtente& p) {
    ApplicaPresetFisico(p, 1);
}
void PresetFisico2(ProfiloUtente& p) {
    ApplicaPresetFisico(p, 2);
}
void PresetFisico3(ProfiloUtente& p) {
    ApplicaPresetFisico(p, 3);
}
void PresetFisico4(ProfiloUtente& p) {
    ApplicaPresetFisico(p, 4);
}
