#include "picture/panel_preview.h"

#include "picture/picture_loader.h"

namespace picture {

namespace {

DecodeSettings ReadBackAs(const EncodeSettings& settings) {
  DecodeSettings decode;
  decode.colour_order_index = settings.colour_order_index;
  decode.nand = settings.nand;
  return decode;
}

bool FitsTheTables(PixelForm form, int width, int height, bool nand) {
  return EncodedSize(form, width, height, nand) >= 0;
}

platform::Message TooLarge() {
  return platform::Error("the picture passes the 2 GiB a resource file's offsets reach");
}

}  // namespace

platform::Result<DecodedPicture> ModuleView(const WorkingBitmap& bitmap, PixelForm form,
                                            const EncodeSettings& settings) {
  if (!FitsTheTables(form, bitmap.Width(), bitmap.Height(), settings.nand))
    return TooLarge();
  const std::vector<std::uint8_t> bytes = EncodePicture(bitmap, form, settings);
  auto decoded = DecodePicture(bytes, form, bitmap.Width(), bitmap.Height(), ReadBackAs(settings));
  if (!decoded || !settings.keyed || form == PixelForm::BlackWhite)
    return decoded;
  // Widening maps only a stored zero to black, so black here is the key colour.
  std::vector<std::uint8_t>& rgba = decoded->rgba;
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
    if (rgba[i] == 0 && rgba[i + 1] == 0 && rgba[i + 2] == 0)
      rgba[i + 3] = 0;
  }
  return decoded;
}

platform::Result<DecodedPicture> ModuleView(const ArgbPicture& picture,
                                            const EncodeSettings& settings) {
  const int w = picture.colours.Width();
  const int h = picture.colours.Height();
  if (!FitsTheTables(PixelForm::Argb4, w, h, settings.nand))
    return TooLarge();
  return DecodePicture(EncodeArgb(picture, settings), PixelForm::Argb4, w, h, ReadBackAs(settings));
}

platform::Result<DecodedPicture> ModuleView(const WorkingBitmap& preview, bool keyed,
                                            PictureKind kind, const std::string& path,
                                            const PictureSettings& settings) {
  if (kind == kPng && settings.argb_png) {
    auto argb = LoadArgbPicture(path, settings.rotation_index);
    if (argb)
      return ModuleView(*argb, settings.Encode());
    if (argb.error().kind != platform::MessageKind::Warning)
      return argb.error();
    // "The png don't have Alpha": the tick stores zeros of the preview's size.
    DecodedPicture nothing;
    nothing.width = preview.Width();
    nothing.height = preview.Height();
    nothing.rgba.assign(std::size_t(nothing.width) * std::size_t(nothing.height) * 4, 0);
    return nothing;
  }
  EncodeSettings encode = settings.Encode();
  encode.keyed = keyed;
  return ModuleView(preview, FormOfFormatIndex(settings.pixel_format_index), encode);
}

platform::Result<DecodedPicture> ModuleView(const WorkingBitmap& frame,
                                            const GifSettings& settings) {
  return ModuleView(frame, settings.Form(), settings.Encode());
}

}  // namespace picture
