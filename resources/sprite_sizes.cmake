# The one list of the sprites' bitmaps: width x height of each, id 1 first.
# The game's screen rectangles and collisions are these sizes, so xpm2bmp
# refuses a sprite drawn to any other. Its length is the number of sprites:
# the resource build, the game's kSpriteCount (through the generated
# shell/sprite_manifest.h, checked against sprite_ids.h), the tests and the
# Windows executable's check all take it from here.
set(SNOWVEL_SPRITE_SIZES
  16x32 16x32 24x28 24x28 16x32 24x28 24x28 24x28 24x28 24x28   #  1-10 player
  24x28 32x32 32x24 32x32 28x31 28x31 28x34 32x26 32x32 31x24   # 11-20 player
  25x31 25x31 12x24 12x24 12x24 12x24 64x32 24x30 22x29 21x29   # 21-30 tricks, gates, moguls, racer
  24x24 24x24 21x15 21x15 19x19 19x19 26x30 20x30 25x31 30x29   # 31-40 racer, dog, boarder
  32x32 32x32 25x29 29x25 23x11 16x11 16x4  24x8  28x32 22x27   # 41-50 boarder, scenery
  32x64 32x8  93x57 52x10 92x30 63x32 42x27 42x27 50x29 50x29   # 51-60 scenery, signs, banners
  40x36 44x36 40x35 24x64 26x32 26x32 26x32 32x48 32x48 32x48   # 61-70 course signs, lift, monster
  32x48 32x48 32x48 32x48 32x48 32x48 32x48 32x48 32x48 32x48   # 71-80 monster
  32x48 16x8  22x27 22x27 22x27 8x11  28x32 28x32 28x32)        # 81-89
list(LENGTH SNOWVEL_SPRITE_SIZES SNOWVEL_SPRITE_BITMAPS)
