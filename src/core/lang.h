#pragma once
// The game's words in the player's language. The written Japanese text is the message id
// and stays in the code where it is printed; the English comes from the catalogue
// (kurashi.mo, made from po/en.po). In Japanese nothing is looked up.
//
//   _("何をする？\n")            a text shown as it is written here
//   N_("体力回復の薬")           marks a catalogue text; shown through _() where it is used
//   P_("物の数", "個")           a short word that needs its context to be translated
//   NG_("%d個", "%d個", n)       a text meeting a count (English has one and many)
//
// Files never go through these: saves, the index and dead.txt keep the written bytes.

enum langcode { JA, EN };

// The language of this run; set once at start-up, before the first screen.
void setlang(langcode lang);
langcode curlang();
// "ja" or "en" as the command line, the options file and a recording's header name them;
// false for any other word.
bool langnamed(const char* word, langcode& lang);
const char* langname(langcode lang);

// Makes the C library's gettext give this process the English of the catalogue in folder
// (which holds en/LC_MESSAGES/kurashi.mo), whatever the player's locale and LANGUAGE say.
// Called once the console has set its locale up; false when the catalogue is not there.
bool opencatalog(const char* folder);

// Each gives back a format made from its Japanese one, so the compiler checks the
// arguments of a translated format against the written text.
const char* tr(const char* ja) __attribute__((format_arg(1)));
const char* trctx(const char* ctx, const char* ja) __attribute__((format_arg(2)));
const char* trn(const char* one, const char* many, unsigned long n)
    __attribute__((format_arg(1))) __attribute__((format_arg(2)));

#define _(s) tr(s)
#define N_(s) s
#define P_(ctx, s) trctx(ctx, s)
#define NG_(one, many, n) trn(one, many, n)
