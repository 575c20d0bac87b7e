// The setup dialog on Windows: dialog template 104 bound into the program, run modally.
#include "platform/SetupDialog.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int kDialogTemplate = 104;

// Shows the single resolution check mark and the "Fullscreen" and "Fewer flashes" checks as
// the state has them.
void showState(HWND dialog, const SetupDialogState& state)
{
    for (const ResolutionChoice& choice : kResolutionChoices)
        CheckDlgButton(dialog, choice.control, choice.control == state.checkedResolution ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kControlFullScreen, state.fullScreenChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kControlFewerFlashes, state.fewerFlashesChecked ? BST_CHECKED : BST_UNCHECKED);
}

// Return reaches "Go!" (the default button, IDOK) and Escape "Leave" (IDCANCEL) through the
// dialog manager; closing the dialog also sends IDCANCEL.
INT_PTR CALLBACK setupProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        showState(dialog, *reinterpret_cast<SetupDialogState*>(lParam));
        // Focus on "Go!", so that keys reach the dialog even where no window manager gives it
        // the focus; a procedure that sets the focus itself returns FALSE.
        SetFocus(GetDlgItem(dialog, kControlGo));
        return FALSE;
    }
    case WM_COMMAND: {
        auto* state = reinterpret_cast<SetupDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!state || HIWORD(wParam) != BN_CLICKED || !handleSetupCommand(*state, LOWORD(wParam))) return FALSE;
        if (state->result >= 0)
            EndDialog(dialog, state->result);
        else
            showState(dialog, *state);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

SetupOutcome runSetupDialog(DisplaySettings& settings)
{
    SetupDialogState state(settings);
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kDialogTemplate), nullptr,
                                           setupProcedure, reinterpret_cast<LPARAM>(&state));
    if (result < 0) {
        std::fprintf(stderr, "orvale-invit: cannot show the setup dialog (error %lu)\n", GetLastError());
        return SetupOutcome::NoDisplay;
    }
    return result == 1 ? SetupOutcome::Go : SetupOutcome::Leave;
}
