// Pondlark Remake: frogs on lily pads catching flies.
#include "app/main_window.h"
#include "platform/window.h"

int main() {
    if (!platform::InitVideo()) return 1;
    int status = 0;
    {
        TForm1 form;
        form.FormCreate();
        platform::LoadingWindow loading;
        loading.Show(LoadingWindowLook());
        // A data file that fails ends the program before the settings are touched.
        bool started = form.Initialize(loading);
        loading.Close();
        status = started ? form.Run() : 1;
    }
    platform::ShutdownVideo();
    return status;
}
