#pragma once
// The keyboard's state at the moment of the call. The Option key of the
// program is the Alt key here.
namespace Keyboard {

bool AsyncOptionKey();

}  // namespace Keyboard
