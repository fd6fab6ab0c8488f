// Modal message boxes: errors, warnings and the one Yes/No question.
#pragma once

#include <string>

namespace platform {

enum class MessageIcon { Error, Warning, Information };

// Shows a message with an OK button and waits until it is dismissed, or until Ctrl+C or a
// kill (SIGINT, SIGTERM) closes it; after one of those no box shows again.
void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon);

// Asks a question with Yes and No buttons; true for Yes. Closing the box is No.
bool AskYesNo(const std::string& caption, const std::string& text, MessageIcon icon);

}  // namespace platform
