// Control API of the emulated windows: the property sheet a page lives on, the message boxes of the calling thread
// and the windows it still has. For tests and tools; domain code never includes this header.
#pragma once

#include <string>
#include <vector>

#include "platform/host/win_base.h"
#include "platform/host/win_window.h"

namespace host {

// A visible top-level window with the given caption and no procedure, standing in for a property sheet.
HWND CreateSheetWindow(const std::u16string &caption);

struct MessageBoxRecord {
  HWND owner = nullptr;
  std::u16string text;
  std::u16string caption;
  UINT type = 0;
  int answer = 0;  // the button the box returned
};

// Queues the button that the calling thread's next message box is answered with. A box with no answer queued, or
// whose queued answer is none of its buttons, is answered with its default button.
void QueueMessageBoxAnswer(int button);
// The message boxes the calling thread has shown since the last take, in order; they are forgotten.
std::vector<MessageBoxRecord> TakeMessageBoxes();
// Forgets the calling thread's recorded boxes and queued answers.
void ClearMessageBoxes();

// Windows the calling thread has created and not destroyed.
int LiveWindows();
// Destroys every top-level window of the calling thread (and so their children), as a thread's end would.
void DestroyThreadWindows();

}  // namespace host
