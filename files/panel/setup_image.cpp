#include "files/panel/setup_image.h"

#include "model/registers.h"

namespace qv {

void CaptureSetupImage() {
  for (int index = 0; index < REGISTER_COUNT; ++index) {
    SetupImage[index] = *RegisterTable[index].variable;
  }
}

}  // namespace qv
