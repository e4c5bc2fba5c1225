"""A PNG sheet that shows the pictures as the windows put them together, for looking at them.

The windows are mocked up roughly (edit boxes, radio buttons and labels drawn here); what counts
is that the artwork is placed, cut, stretched and keyed as the program does it.
"""

from framepaint import paint_frame
import imagefiles
import main_art
import palette as P
import signin_art
import text

GREY = (150, 156, 164)


class Sheet:
    def __init__(self, width, height, colour=(206, 210, 216)):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1):
            self.put(x, y0, colour)
            self.put(x, y1 - 1, colour)
        for y in range(y0, y1):
            self.put(x0, y, colour)
            self.put(x1 - 1, y, colour)

    def image(self, canvas, dx, dy, key=None, sx=0, sy=0, w=None, h=None, scale=1):
        w = canvas.width - sx if w is None else w
        h = canvas.height - sy if h is None else h
        for y in range(h * scale):
            for x in range(w * scale):
                colour = canvas.rgb_bytes(sx + x // scale, sy + y // scale)
                if colour != key:
                    self.put(dx + x, dy + y, colour)

    def text(self, s, x, y, size=12, colour=(0, 0, 0)):
        m = text.render(s, size)
        for my, row in enumerate(m.rows):
            for mx, cover in enumerate(row):
                if cover > 0:
                    px, py = x + mx, y + my
                    if 0 <= px < self.width and 0 <= py < self.height:
                        bg = self.rows[py][px]
                        self.rows[py][px] = tuple(int(bg[i] + (colour[i] - bg[i]) * cover + 0.5)
                                                  for i in range(3))
        return m


def _edit(sheet, x, y, w, h):
    sheet.rect(x, y, x + w, y + h, P.WHITE)
    sheet.frame(x, y, x + w, y + h, (122, 138, 153))


def _radio(sheet, x, y, label, on):
    for dy in range(13):
        for dx in range(13):
            d = ((dx - 6) ** 2 + (dy - 6) ** 2) ** 0.5
            if d <= 6.3:
                sheet.put(x + dx, y + 2 + dy, (122, 138, 153) if d > 5.3 else P.WHITE)
            if on and d <= 2.6:
                sheet.put(x + dx, y + 2 + dy, (40, 80, 140))
    sheet.text(label, x + 17, y + 3, 12)


def _frame_of(strip, index, width):
    return strip.crop(index * width, 0, width, strip.height)


def signin_window(sheet, ox, oy, pictures, mode, states):
    sheet.rect(ox, oy, ox + 380, oy + 282, P.BUTTON_FACE)
    bg = pictures["login_background.bmp"]
    sheet.image(bg, ox, oy + 1, key=bg.rgb_bytes(0, bg.height - 1))
    labels = ("会员帐号:", "登陆密码:", "订货登陆") if mode == 1 else ("员工姓名:", "登陆密码:", "供应商登陆")
    sheet.text(labels[0], ox + 49, oy + 162, 13)
    sheet.text(labels[1], ox + 49, oy + 198, 13)
    for name, (x, y, w), state in (("login_close.bmp", (345, 0, 35), states[0]),
                                   ("login_minimize.bmp", (313, 0, 32), states[1]),
                                   ("login_button.bmp", (116, 246, 89), states[2])):
        f = _frame_of(pictures[name], state, w)
        sheet.image(f, ox + x, oy + y, key=f.rgb_bytes(0, f.height - 1))
    m = text.render(labels[2], 12)
    sheet.text(labels[2], ox + 116 + (89 - m.width) // 2 + (1 if states[2] == 2 else 0),
               oy + 246 + (24 - m.height) // 2 + (1 if states[2] == 2 else 0), 12,
               (0, 0, 0) if states[2] != 3 else (160, 160, 160))
    glyph = pictures["setup_glyph.bmp"]
    sheet.image(glyph, ox + 310 + 8, oy + 249 + 3, key=glyph.rgb_bytes(0, glyph.height - 1))
    sheet.text("设置", ox + 310 + 30, oy + 249 + 6, 12)
    _edit(sheet, ox + 113, oy + 160, 181, 21)
    _edit(sheet, ox + 113, oy + 194, 181, 21)
    sheet.text("demo", ox + 117, oy + 164, 13)
    sheet.text("******", ox + 117, oy + 200, 13)
    _radio(sheet, ox + 112, oy + 131, "订货登录", mode == 1)
    _radio(sheet, ox + 205, oy + 131, "管理后台", mode == 0)
    sheet.rect(ox + 298, oy + 199, ox + 311, oy + 212, P.WHITE)
    sheet.frame(ox + 298, oy + 199, ox + 311, oy + 212, (122, 138, 153))
    sheet.text("记住密码", ox + 315, oy + 199, 12)


def main_window(sheet, ox, oy, pictures, width, height, states):
    title = paint_frame(pictures["main_title_frame.bmp"], 17, 17, 17, 17, width, 50, P.TITLE_CENTRE)
    body_h = height - 50 - 32
    browser = paint_frame(pictures["main_browser_frame.bmp"], 17, 17, 17, 17, width, body_h, P.WHITE)
    status = paint_frame(pictures["main_status_frame.bmp"], 8, 0, 18, 32, width, 32, P.WHITE)
    sheet.image(title, ox, oy)
    sheet.image(browser, ox, oy + 50)
    sheet.image(status, ox, oy + height - 32)
    sheet.image(pictures["main_logo.bmp"], ox, oy)
    px = ox + width - 94
    for (name, (left, w)), state in zip((("main_minimize.bmp", main_art.CAPTION_BUTTONS["minimise"]),
                                          ("main_maximize.bmp", main_art.CAPTION_BUTTONS["maximise"]),
                                          ("main_close.bmp", main_art.CAPTION_BUTTONS["close"])),
                                         states):
        f = _frame_of(pictures[name], state, w)
        sheet.image(f, px + left, oy, key=f.rgb_bytes(0, f.height - 1), sy=1)
    sheet.text("（网页显示区）", ox + width // 2 - 50, oy + 50 + body_h // 2 - 6, 13, GREY)
    sheet.text("老板，您正在使用客户订货系统，访问网址：http://127.0.0.1:8080", ox + 16, oy + height - 32 + 8, 12)
    sheet.text("2024年03月05日 星期二", ox + width - 172, oy + height - 32 + 8, 12)


def setup_dialog(sheet, ox, oy, pictures):
    bg = pictures["setup_background.bmp"]
    w, h = 402, 161
    # Caption bar stand-in.
    sheet.rect(ox, oy - 22, ox + w, oy, (92, 130, 180))
    sheet.text("系统设置", ox + 6, oy - 17, 12, P.WHITE)
    for y in range(h):
        for x in range(w):
            sheet.put(ox + x, oy + y, bg.rgb_bytes(x * bg.width // w, y * bg.height // h))
    sheet.text("系统名称：", ox + 15, oy + 29, 13)
    _edit(sheet, ox + 79, oy + 25, 231, 21)
    sheet.text("系统网址：", ox + 16, oy + 61, 13)
    _edit(sheet, ox + 79, oy + 57, 231, 21)
    sheet.text("http://127.0.0.1:8080", ox + 83, oy + 61, 13)
    sheet.rect(ox + 318, oy + 54, ox + 381, oy + 79, P.BUTTON_FACE)
    glyph = pictures["setup_save_glyph.bmp"]
    sheet.image(glyph, ox + 326, oy + 57, key=glyph.rgb_bytes(0, glyph.height - 1))
    sheet.text("保存", ox + 348, oy + 60, 12)
    sheet.text("说明：输入订货系统完整网址，例如：http://order.example.com", ox + 16, oy + 93, 13,
               (200, 0, 0))


def strips_row(sheet, ox, oy, pictures, names, scale=2):
    y = oy
    for name in names:
        pic = pictures[name]
        sheet.text(name, ox, y, 12, (60, 60, 60))
        sheet.image(pic, ox, y + 16, scale=scale)
        y += 16 + pic.height * scale + 10
    return y


def write(path, pictures, icons):
    sheet = Sheet(1010, 1560)
    signin_window(sheet, 10, 10, pictures, 1, (0, 0, 0))
    signin_window(sheet, 400, 10, pictures, 0, (1, 0, 1))
    y = strips_row(sheet, 10, 310, pictures, ["login_close.bmp", "login_minimize.bmp", "login_button.bmp"])
    y2 = strips_row(sheet, 750, 310, pictures, ["main_minimize.bmp", "main_maximize.bmp", "main_close.bmp"])
    y = max(y, y2) + 10
    main_window(sheet, 10, y, pictures, 980, 360, (0, 1, 0))
    main_window(sheet, 10, y + 380, pictures, 980, 200, (0, 0, 1))
    y += 600
    setup_dialog(sheet, 10, y + 22, pictures)
    x = 440
    for icon in icons:
        flat = icon.flatten(P.WHITE)
        sheet.image(flat, x, y)
        dark = icon.flatten((40, 60, 90))
        sheet.image(dark, x, y + 140)
        x += icon.width + 10
    sheet.image(icons[-1].flatten(P.WHITE), x + 10, y, scale=6)
    sheet.image(icons[-2].flatten(P.WHITE), x + 10, y + 110, scale=4)
    sheet.height = y + 280
    sheet.rows = sheet.rows[:sheet.height]
    with open(path, "wb") as f:
        f.write(imagefiles.png_bytes(sheet.width, sheet.height, sheet.rows))
