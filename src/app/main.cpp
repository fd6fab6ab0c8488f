// Pondlark Remake: frogs on lily pads catching flies.
#include <iostream>

#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/message_box.h"
#include "platform/network_link.h"
#include "platform/window.h"
#include "recording/recording_file.h"

namespace {

// The exit status of a recording that cannot be replayed.
constexpr int kBadRecording = 3;

// The connection a network game starts from: listening, or on its way to the host. Null after
// saying why on stderr.
std::unique_ptr<NetLink> OpenLink(const CommandLine& line, NetworkGame::Setup& setup) {
    std::string problem;
    std::unique_ptr<NetLink> link;
    setup.Host = line.Net == CommandLine::Network::Host;
    if (setup.Host) {
        link = platform::ListenForPlayer(line.Port, problem);
        setup.Address = std::to_string(line.Port);
        if (link) {
            std::cerr << "Pondlark Remake: waiting for a player on UDP port " << line.Port
                      << " (Escape cancels)\n";
        }
    } else {
        link = platform::JoinPlayer(line.Address, line.Port, problem);
        setup.Address = line.Address + ":" + std::to_string(line.Port);
    }
    if (!link) std::cerr << "Pondlark Remake: " << problem << "\n";
    return link;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), platform::kDefaultPort);
    if (auto status = AnswerCommandLine(line, std::cout, std::cerr)) return *status;
    // The program moves to its own folder as it starts; the file is the one the user meant.
    line.File = PathFromStartingFolder(line.File);
    if (line.Do == CommandLine::Action::Record && !RecordingWriter::CanWrite(line.File)) {
        std::cerr << "pondlark: the recording " << line.File << " cannot be written\n";
        return 2;
    }
    NetworkGame::Setup network;
    std::unique_ptr<NetLink> link;
    if (line.Net != CommandLine::Network::None) {
        if (line.Do == CommandLine::Action::Record) network.RecordPath = line.File;
        link = OpenLink(line, network);
        // A port in use is the command line's to mend; an address nobody has, the network's.
        if (!link) return line.Net == CommandLine::Network::Host ? 2 : kNobodyAnswered;
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
        mainWindow.GiveRefreshRate(line.RefreshRate);
        if (link) {
            mainWindow.PlayOverNetwork(std::move(link), std::move(network));
        } else if (line.Do == CommandLine::Action::Record) {
            mainWindow.RecordInto(line.File);
        }
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
