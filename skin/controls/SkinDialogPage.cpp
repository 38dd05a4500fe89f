#include "skin/controls/SkinDialogPage.h"

#include "skin/controls/ControlDispatch.h"

void TSkinDialogPage::AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) {
  TSkinControl::AttachWindow(wnd, skinData, form, canvas);
  OfferControls();
  InvalidateRect(wnd, nullptr, TRUE);
}

// The skinners of the page's controls belong to whoever owns the page's, as
// the dialog's own do; controls that have one already are left alone.
void TSkinDialogPage::OfferControls() { AttachChildWindows(FWindow, {*FSkinData, FForm, Owner(), nullptr}); }

bool TSkinDialogPage::BeforeMessage(TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  switch (message.Msg) {
    case WM_ERASEBKGND: {
      if (!FSkinData->BackgroundBrush) return true;
      RECT client;
      GetClientRect(FWindow, &client);
      FillRect(dc, &client, FSkinData->BackgroundBrush.Get());
      message.Result = 1;
      return false;
    }
    case WM_NOTIFY:
      return !ReflectNotification(message);
    case WM_CTLCOLORBTN:
      CallPrevious(message);
      SetBkMode(dc, TRANSPARENT);
      return false;
    case WM_CTLCOLORSTATIC:
      CallPrevious(message);
      SetBkMode(dc, TRANSPARENT);
      if (FSkinData->BackgroundBrush) message.Result = reinterpret_cast<LRESULT>(FSkinData->BackgroundBrush.Get());
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinDialogPage::AfterMessage(TMessage& message) {
  if (message.Msg == WM_INITDIALOG) return OfferControls();
  TSkinControl::AfterMessage(message);
}
