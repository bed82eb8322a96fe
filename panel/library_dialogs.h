// The panel's five library dialogs, one of each, opened modeless by the
// emoticon menu (FrmEditType by a double click on a category in FrmType).
#pragma once
#include <string>

#include "panel/frm_copy.h"
#include "panel/frm_edit_type.h"
#include "panel/frm_move.h"
#include "panel/frm_new_type.h"
#include "panel/frm_type.h"

namespace panel {

class LibraryDialogs {
 public:
  explicit LibraryDialogs(LibraryHost& host)
      : newType_(host), type_(host), editType_(host, type_), copy_(host), move_(host) {}
  LibraryDialogs(const LibraryDialogs&) = delete;
  LibraryDialogs& operator=(const LibraryDialogs&) = delete;

  FrmNewType& NewType() { return newType_; }
  FrmType& Type() { return type_; }
  FrmEditType& EditType() { return editType_; }
  FrmCopy& Copy() { return copy_; }
  FrmMove& Move() { return move_; }

 private:
  FrmNewType newType_;
  FrmType type_;
  FrmEditType editType_;
  FrmCopy copy_;
  FrmMove move_;
};

}  // namespace panel
