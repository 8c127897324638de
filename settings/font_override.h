#pragma once
// The settings file's [FONT] Name replaces the face of a window's font and of its controls' fonts.

class ConfiguredFont;
class Form;

// The one font object of the program, made when first asked for.
ConfiguredFont& ProgramFont();

// Reads the settings file and gives its face to the window and to each of its controls that
// has a font, keeping sizes and weights. "Default" changes nothing. Never fails.
void ApplyFont(Form& form) noexcept;
