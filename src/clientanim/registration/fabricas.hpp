#pragma once
#include "zelt/automation/object.hpp"

namespace zelt::clientanim {
// Each class's file defines its factory.
Ref<Object> criarClsAnimais();
Ref<Object> criarClsClientes();
Ref<Object> criarClsClientAnim();
}  // namespace zelt::clientanim
