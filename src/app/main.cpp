// Pondlark Remake: frogs on lily pads catching flies.
#include <functional>
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/message_box.h"
#include "platform/network_link.h"
#include "platform/port_mapping.h"
#include "platform/secure_random.h"
#include "platform/window.h"
#include "recording/recording_file.h"
#include "state/exit_status.h"

namespace {

// The meeting server the command line names, else the one the settings file names, if any.
bool ChooseServer(CommandLine& line, const std::string& setting) {
    if (!line.Server.empty()) return true;
    std::string problem;
    if (!setting.empty() && !ReadServer(setting, line.Server, line.ServerPort, problem)) {
        std::cerr << "Pondlark Remake: the MeetServer setting '" << setting
                  << "' is not used: " << problem << "\n";
        line.Server.clear();
    }
    if (line.Server.empty() && !line.Code.empty()) {
        std::cerr << "Pondlark Remake: a join code needs a meeting server: give '--meet SERVER'"
                     " or set MeetServer in the Network group of Pondlark.cfg\n";
        return false;
    }
    return true;
}

// What the router said, as the network game takes it: nothing yet, the public address, or
// "" after saying on stderr why it could not be asked.
std::function<std::optional<std::string>()> RouterAnswer(const platform::PortMapping& router,
                                                         uint16_t port) {
    return [&router, port]() -> std::optional<std::string> {
        const platform::MappingStatus status = router.Poll();
        if (status.state == platform::MappingState::kPending) return std::nullopt;
        if (status.state == platform::MappingState::kMapped) {
            return platform::AddressText(status.public_ip, status.public_port);
        }
        std::cerr << "Pondlark Remake: the router could not be asked to forward UDP port " << port
                  << ": " << status.reason << "\n";
        return "";
    };
}

// The connection a network game starts from: listening, or on its way to the host. Null after
// saying why on stderr.
std::unique_ptr<NetLink> OpenLink(const CommandLine& line, NetworkGame::Setup& setup) {
    std::string problem;
    std::unique_ptr<NetLink> link;
    setup.Host = line.Net == CommandLine::Network::Host;
    setup.Code = line.Code;
    if (!line.Server.empty()) {
        setup.Server = line.Server + ":" + std::to_string(line.ServerPort);
        platform::FillSecureRandom(reinterpret_cast<uint8_t*>(&setup.Nonce), sizeof setup.Nonce);
    }
    if (setup.Host) {
        link = platform::ListenForPlayer(line.Port, line.Server, line.ServerPort, problem);
        setup.Address = std::to_string(line.Port);
        if (link) {
            std::cerr << "Pondlark Remake: waiting for a player on UDP port " << line.Port
                      << " (Escape cancels)\n";
        }
    } else if (!line.Code.empty()) {
        link = platform::JoinThroughServer(line.Server, line.ServerPort, problem);
        setup.Address = setup.Server;
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
        std::cerr << "Pondlark Remake: the recording " << line.File << " cannot be written\n";
        return kExitRefused;
    }
    NetworkGame::Setup network;
    std::unique_ptr<NetLink> link;
    // Outlives the window, so the forward goes however the game ends.
    std::unique_ptr<platform::PortMapping> router;
    if (line.Net != CommandLine::Network::None) {
        if (line.Do == CommandLine::Action::Record) network.RecordPath = line.File;
        const MainWindow::NetworkSettings settings = MainWindow::ReadNetworkSettings();
        if (!ChooseServer(line, settings.MeetServer)) return kExitRefused;
        link = OpenLink(line, network);
        // A port in use is the command line's to mend; a network that cannot be used, the
        // network's.
        if (!link) {
            return line.Net == CommandLine::Network::Host ? kExitRefused : kExitNobodyAnswered;
        }
        if (network.Host && settings.AskRouter) {
            router = std::make_unique<platform::PortMapping>(line.Port);
            network.RouterAddress = RouterAnswer(*router, line.Port);
        }
    }
    if (!platform::InitVideo()) return kExitCannotStart;
    // A recording is read and checked whole before any window opens.
    Recording recording;
    if (line.Do == CommandLine::Action::Replay) {
        std::string sentence;
        if (LoadRecording(line.File, recording, sentence) != RecordingRead::Ok) {
            std::cerr << sentence << "\n";
            platform::ShowMessage("ERROR", sentence, platform::MessageIcon::Error);
            platform::ShutdownVideo();
            return kExitBadRecording;
        }
        if (recording.Header.GameVersion != PONDLARK_VERSION) {
            std::cerr << "Pondlark Remake: " << line.File << " was recorded by version "
                      << recording.Header.GameVersion << " of the game and this is version "
                      << PONDLARK_VERSION << "; it may play out differently.\n";
        }
    }
    int status = kExitOk;
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
        status = started ? mainWindow.Run() : kExitCannotStart;
    }
    platform::ShutdownVideo();
    return status;
}
