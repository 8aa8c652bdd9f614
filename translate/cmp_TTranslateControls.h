// The label and the bitmap button that carry a GLID, so that the translator
// replaces their captions by number instead of by wording.
#pragma once

#include <cstdint>

#include "Buttons.h"
#include "StdCtrls.h"

namespace vtrl {

// GLID above 0: the caption becomes that entry of the target language (and
// is then looked up once more by its wording); 0: translated by wording like
// any label; below 0: never translated. Changing it translates nothing.
class TTranslateLabel : public TLabel {
    VTRL_CLASS(TTranslateLabel)
public:
    explicit TTranslateLabel(TComponent* AOwner) : TLabel(AOwner) {}
    int32_t GLID = 0;
};

// A bitmap button with a GLID, as TTranslateLabel.
class TTranslateBitBtn : public TBitBtn {
    VTRL_CLASS(TTranslateBitBtn)
public:
    explicit TTranslateBitBtn(TComponent* AOwner) : TBitBtn(AOwner) {}
    int32_t GLID = 0;
};

}  // namespace vtrl
