#include "libs/sui/PermissionsScheme.h"

#include "lib1/plat/Assert.h"
#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/sui/PermissionsSchemeEditor.h"

namespace sui {

// The destructors are defined here, once, so that the interfaces have one
// home for their type information.

PermissionsScheme::PermissionsScheme(PermissionsSchemeEditor* editor) : editor_(editor) {
  PLAT_ASSERT(editor_);
}

PermissionsScheme::~PermissionsScheme() = default;

PermissionsSchemeEditor::~PermissionsSchemeEditor() = default;

PermissionsEditorImpl::Callback::~Callback() = default;

}  // namespace sui
