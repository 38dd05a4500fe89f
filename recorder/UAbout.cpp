#include "recorder/UAbout.h"

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner) {
  Publish(L"Button1Click", TNotifyEvent::Of<&TAboutForm::Button1Click>(*this));
  ReadLayout(L"TABOUTFORM");
}

void TAboutForm::Button1Click(TComponent*) { Close(); }
