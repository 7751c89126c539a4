#pragma once
// A text form laid out like the program's About box: a lowered/raised panel
// holding a stretched PNG picture and two labels, and a default OK button.
#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral::test {

// A 292 × 191 PNG whose pixel (x, y) is RGB(x mod 256, y, 99).
inline std::vector<std::uint8_t> AboutPicturePng() {
  QImage image(292, 191, QImage::Format_RGB32);
  for (int y = 0; y < 191; ++y)
    for (int x = 0; x < 292; ++x) image.setPixel(x, y, qRgb(x & 0xFF, y, 99));
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

// The picture's stream data as a form stream binary value.
inline std::string PictureDataText(const std::vector<std::uint8_t>& png) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text = "{";
  const std::string name = "TPngGraphic";
  std::vector<std::uint8_t> data{static_cast<std::uint8_t>(name.size())};
  data.insert(data.end(), name.begin(), name.end());
  data.insert(data.end(), png.begin(), png.end());
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) text += "\n      ";
    text += digits[data[i] >> 4];
    text += digits[data[i] & 15];
  }
  return text + "}";
}

inline std::string AboutBoxText(const std::vector<std::uint8_t>& png) {
  return R"(object AboutBox: TForm
  Left = 375
  Top = 349
  BorderStyle = bsDialog
  Caption = 'Acerca de ...'
  ClientHeight = 244
  ClientWidth = 298
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Panel1: TPanel
    Left = 8
    Top = 4
    Width = 281
    Height = 205
    BevelInner = bvRaised
    BevelOuter = bvLowered
    ParentColor = True
    TabOrder = 0
    object ProgramIcon: TImage
      Left = 12
      Top = 32
      Width = 261
      Height = 149
      Picture.Data = )" +
         PictureDataText(png) + R"(
      Stretch = True
    end
    object ProductName: TLabel
      Left = 52
      Top = 4
      Width = 171
      Height = 27
      Caption = 'Tintoral'
      Font.Charset = ANSI_CHARSET
      Font.Color = clBlue
      Font.Height = -19
      Font.Name = 'Comic Sans MS'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Version: TLabel
      Left = 16
      Top = 184
      Width = 253
      Height = 17
      Caption = 'Versi'#243'n 1.0    por el autor'
      Font.Charset = ANSI_CHARSET
      Font.Color = clBlue
      Font.Height = -13
      Font.Name = 'Agency FB'
      Font.Style = [fsBold]
      ParentFont = False
    end
  end
  object OKButton: TButton
    Left = 111
    Top = 216
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
end
)";
}

}  // namespace tintoral::test
