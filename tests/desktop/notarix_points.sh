# Points of NOTARIX's first screen on the 1024 x 768 virtual screen, as the
# platform's fixed metrics lay out its frame at the default place: the
# "ファイル(F)" title of the menu bar, and the first item of its popup, which
# opens under that title.
FILE_MENU_X=45
FILE_MENU_Y=42
OPEN_ITEM_X=60
OPEN_ITEM_Y=64
# A point of that item to the right of its text.
OPEN_ITEM_CLEAR_X=200
# A point on the frame's caption clear of its title and buttons, and where
# it comes to after a drag by (CAPTION_DX, CAPTION_DY).
CAPTION_X=300
CAPTION_Y=23
CAPTION_DX=60
CAPTION_DY=40
