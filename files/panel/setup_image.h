#pragma once
// The setup image taken from the register variables, as every save and
// export does before writing.

namespace qv {

void CaptureSetupImage();

}  // namespace qv
