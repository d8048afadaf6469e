// The page's side of the web backend (platform/web/js/*.js), as C functions;
// the values both sides share are in web_bridge_values.h. Only platform/web
// includes this.
#pragma once

#include <cstdint>

extern "C" {
int snowvel_web_requested_scale();
int snowvel_web_no_sound();
void snowvel_web_area_size(int* width, int* height);  // device pixels
double snowvel_web_pixel_ratio();                     // device pixels a CSS pixel
void snowvel_web_set_scale(int scale);
uint32_t snowvel_web_tick_count();

int snowvel_web_create_canvas(uintptr_t hwnd, int width, int height);
void snowvel_web_destroy_canvas(uintptr_t hwnd);
void snowvel_web_show_canvas(uintptr_t hwnd, int state);
void snowvel_web_size_canvas(uintptr_t hwnd, int width, int height);
void snowvel_web_set_title(uintptr_t hwnd, const char* title);
void snowvel_web_present(uintptr_t hwnd, const uint32_t* rgba, int width, int height,
                         const int32_t* rects, int count);
void snowvel_web_mark_first_picture();
void snowvel_web_game_ended();

int snowvel_web_poll(int32_t* fields);
void snowvel_web_wait(int timeoutMs);  // yields to the browser

void snowvel_web_play(const uint8_t* samples, int bytes, int channels, int rate, int bits);
void snowvel_web_stop_sound();

void snowvel_web_message_box(int box, const char* text, const char* caption, const char* buttons,
                             int escapeAnswer);

// The player's stored bindings, handed to snowvel_web_bind (web_keys.cpp).
void snowvel_web_load_bindings();

int snowvel_web_storage_load(const char* directory);  // yields to the browser
int snowvel_web_storage_reload();                     // yields to the browser
void snowvel_web_storage_save();
}
