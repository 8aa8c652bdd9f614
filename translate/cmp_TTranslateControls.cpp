// Class information of the translated controls: GLID is always stored, so
// a definition keeps even a 0 that marks a control translated by wording.
#include "cmp_TTranslateControls.h"

namespace vtrl {

namespace {
template <class C>
void DeclareGLID(TClassBuilder<C>& b) {
    b.Integer("GLID", &C::GLID, &C::GLID);
}
}  // namespace

VTRL_IMPLEMENT_CLASS(TTranslateLabel, TLabel, DeclareGLID<TTranslateLabel>)
VTRL_IMPLEMENT_CLASS(TTranslateBitBtn, TBitBtn, DeclareGLID<TTranslateBitBtn>)

}  // namespace vtrl
