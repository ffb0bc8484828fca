#pragma once
#include "form_types.h"

// The looks of the controls of both windows.
namespace ostrevo::looks {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLightCyan{192, 255, 255};
inline constexpr Rgb kLightYellow{255, 255, 192};

// A caption on the window's colour.
inline constexpr Looks kPlain{.wraps = true};
inline constexpr Looks kRightJustified{.alignment = Alignment::Right, .wraps = true};
// A result the program writes, and a readout box of the plot.
inline constexpr Looks kResult{.fill = Fill::Colour, .background = kWhite, .text = kBlack, .border = Border::Single,
                               .alignment = Alignment::Right, .wraps = true};
inline constexpr Looks kValueBox{.fill = Fill::Colour, .background = kLightYellow, .text = kBlack,
                                 .border = Border::Single, .alignment = Alignment::Right, .wraps = true};
// A label on the plot's colour, without a border.
inline constexpr Looks kOnPlot{.fill = Fill::Colour, .background = kLightYellow, .text = kBlack, .wraps = true};
// The credit line.
inline constexpr Looks kCredit{.fill = Fill::Colour, .background = kLightCyan, .text = kBlack,
                               .border = Border::Single, .wraps = true, .weight = FontWeight::Regular};
inline constexpr Looks kField{.fill = Fill::Colour, .background = kFieldGround, .text = kFieldText,
                              .border = Border::Standard, .alignment = Alignment::Right};
inline constexpr Looks kButton{.border = Border::Standard, .alignment = Alignment::Center, .wraps = true};
// An option button: the designed red and blue need the light face behind them.
constexpr Looks Option(Rgb colour) { return {.fill = Fill::LightFace, .text = colour}; }
// The plot area, and a plain picture area with a border.
inline constexpr Looks kPlot{.fill = Fill::Colour, .background = kLightYellow, .border = Border::Sunken};
inline constexpr Looks kSunken{.border = Border::Sunken};
// The red frame of the design block.
inline constexpr Looks kDesignFrame{.text = Rgb{255, 0, 0}, .lineWidth = 2};

}  // namespace ostrevo::looks
