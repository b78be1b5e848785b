#include "ui/application.h"

#include "ui/frm_main.h"

namespace sondrel {

SondrelApplication::SondrelApplication(std::string applicationDirectory)
    : context_{model_,    preferences_, paths_,   store_,    locale_,
               clock_,    messages_,    files_,   printing_, std::move(applicationDirectory)},
      mainWindow_(std::make_unique<frmMain>(context_)), sessionEnd_(*mainWindow_)
{
}

SondrelApplication::~SondrelApplication() = default;

void SondrelApplication::Start()
{
    mainWindow_->Start();
}

}  // namespace sondrel
