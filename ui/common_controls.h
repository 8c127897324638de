#pragma once
// The common controls, loaded from the system with what they load by name.

// Loads them and registers their window classes; call before the first window is made. Where
// they cannot be loaded, the windows are made with the plain controls all the same.
void LoadCommonControls() noexcept;
