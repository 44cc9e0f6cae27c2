// The few words the backgrounds and panels carry, per language. The window
// draws every caption that has a text id in the language packs; these are the
// headings and option names that have none. The second language's pictures
// carry Chinese words (drawn through FreeType, the pixel font has Latin
// capitals only); the third language's the short technical terms.
#pragma once

namespace zelko::skin {

struct PageWords {
  // background
  const char* subtitle;
  const char* pages;
  const char* files;
  const char* language;
  // main page
  const char* buttons;
  const char* long_press;
  // advanced page
  const char* dpi_levels;
  const char* fire_key;
  const char* repeat;
  const char* interval;
  const char* level_count;
  const char* pointer;
  const char* speed;
  const char* double_click;
  const char* scroll;
  const char* precision;
  const char* one_screen;
  // light page
  const char* lighting;
  const char* led;
  const char* m_switch;
  const char* l_switch;
  const char* start_mode;
  const char* on;
  const char* off;
  const char* keep;
  const char* reset;
  const char* brightness;
  const char* full;
  const char* half;
  const char* profile_colours;
  const char* colour_a;
  const char* colour_b;
  const char* effect;
  const char* mode;
  const char* step;
  const char* led_count;
  // macro page
  const char* library;
  const char* events;
  const char* delay;
  const char* on_release;
  const char* release_stop;
  const char* release_continue;
};

const PageWords& WordsFor(int language);

}  // namespace zelko::skin
