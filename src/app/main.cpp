// Pondlark Remake: frogs on lily pads catching flies.
#include <iostream>

#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "recording/recording_file.h"

namespace {

// The exit status of a recording that cannot be replayed.
constexpr int kBadRecording = 3;

}  // namespace

int main(int argc, char** argv) {
    CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (auto status = AnswerCommandLine(line, std::cout, std::cerr)) return *status;
    // The program moves to its own folder as it starts; the file is the one the user meant.
    line.File = PathFromStartingFolder(line.File);
    if (line.Do == CommandLine::Action::Record && !RecordingWriter::CanWrite(line.File)) {
        std::cerr << "pondlark: the recording " << line.File << " cannot be written\n";
        return 2;
    }
    if (!platform::InitVideo()) return 1;
    // A recording is read and checked whole before any window opens.
    Recording recording;
    if (line.Do == CommandLine::Action::Replay) {
        std::string sentence;
        if (LoadRecording(line.File, recording, sentence) != RecordingRead::Ok) {
            std::cerr << sentence << "\n";
            platform::ShowMessage("ERROR", sentence, platform::MessageIcon::Error);
            platform::ShutdownVideo();
            return kBadRecording;
        }
        if (recording.Header.GameVersion != PONDLARK_VERSION) {
            std::cerr << "Pondlark Remake: " << line.File << " was recorded by version "
                      << recording.Header.GameVersion << " of the game and this is version "
                      << PONDLARK_VERSION << "; it may play out differently.\n";
        }
    }
    int status = 0;
    {
        MainWindow mainWindow;
        if (line.Do == CommandLine::Action::Record) mainWindow.RecordInto(line.File);
        if (line.Do == CommandLine::Action::Replay)
            mainWindow.PlayBack(std::move(recording), line.File);
        mainWindow.Create();
        platform::LoadingWindow loading;
        loading.Show(LoadingWindowLook());
        // A data file that fails ends the program before the settings are touched.
        bool started = mainWindow.Initialize(loading);
        loading.Close();
        status = started ? mainWindow.Run() : 1;
    }
    platform::ShutdownVideo();
    return status;
}
