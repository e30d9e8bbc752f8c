#include "joseki/playback.h"

namespace moraku {
// Placeholders: replaced by the real procedures.
void ReplayRecord(JosekiSession&, int&) {}
void ShowWholeRecord(JosekiSession&) {}
void StepForwardOne(JosekiSession&) {}
void StepForwardFive(JosekiSession&) {}
void StepBackOne(JosekiSession&) {}
void StepBackFive(JosekiSession&) {}
void BackToFirstMove(JosekiSession&) {}
void EndIndicatorTick(JosekiSession&) {}
}  // namespace moraku
