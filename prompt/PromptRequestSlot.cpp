#include "prompt/PromptRequestSlot.h"

namespace tarvel {

const AutotextDlgRequest* PromptRequestSlot::current_ = nullptr;

}  // namespace tarvel
