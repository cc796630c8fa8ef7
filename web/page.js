// The page around the game (game.js, the game compiled by Emscripten): xterm.js shows its
// screen, the keys and touch buttons feed its key waits, the browser's storage keeps the
// player's files and options, the settings panel chooses the options, and the files panel
// downloads and uploads the files. No rule of the game is here: every key goes to the game
// as the terminal would give it.

const $ = (id) => document.getElementById(id);

// ------------------------------------------------------------------ the page's language

// The page's own words in English, by their Japanese; the game's come from its catalogue.
const english = {
  'ゲームの画面': 'The game screen', 'キー': 'Keys', '左': 'Left', '上': 'Up', '下': 'Down',
  '右': 'Right', '前のページ (PgUp)': 'Previous page (PgUp)', '次のページ (PgDn)': 'Next page (PgDn)',
  'メッセージ履歴 (Ctrl-P)': 'Message log (Ctrl-P)', '履歴': 'Log',
  'キーボードを出す': 'Show the keyboard', '設定': 'Settings',
  '補助表示 (assisted view)': 'Assisted view', 'vi-keys (hjkl で移動)': 'vi-keys (hjkl move)',
  '次にはじめたときから効く (ゲームを始める前なら、すぐにはじめ直す)。':
    'Takes effect from the next game (before a game is set up, it starts again at once).',
  '補助表示: 呪文に文字・MP・説明、荒れ地と種に別の記号、落下までのターン、狙うときのキーの案内など。 どちらも規則は変えない。':
    'Assisted view: letters, MP and descriptions for spells, own marks for waste land and ' +
    'seeds, the turns until a fall, the keys when aiming, and more. Neither changes the rules.',
  'セーブとファイル': 'Saves and files', '場所': 'Place', 'ダウンロード': 'Download',
  'アップロード…': 'Upload…', '索引 save/save': 'Index save/save',
  '死亡記録 dead.txt': 'Death log dead.txt', '最新の死亡レポート': 'Latest death report',
  'このゲームの記録 (.rec)': 'This game\'s recording (.rec)',
  '画面の読み上げ (スクリーンリーダー)': 'Read the screen aloud (screen reader)',
  'ダウンロードしたファイルは端末版の save/ にそのまま置ける (Shift-JIS)。 記録は':
    'Downloaded files go as they are into the terminal game\'s save/ (Shift-JIS). The terminal game',
  'で端末版が同じ画面で再生する。': 'replays a recording with the same screens.',
  '画面の文字: Noto Sans Mono CJK JP の一部 (': 'The screen\'s font: part of Noto Sans Mono CJK JP (',
  ')。': ').',
  'もう一度はじめる': 'Play again', '閉じる': 'Close', '空き': 'empty',
  'ゲームは終わった。': 'The game is over.', 'ゲームを始められなかった。': 'The game could not start.',
  'このブラウザはセーブを残すと約束しなかった (空き容量が足りないと消えうる)。大切なセーブは「セーブとファイル」からダウンロードを。':
    'This browser did not promise to keep saves (they may go when space runs short). ' +
    'Download the ones you care for from "Saves and files".',
  'このブラウザではセーブを残せない (プライベートウィンドウなど): ページを閉じると消える。「セーブとファイル」からダウンロードできる。':
    'This browser cannot keep saves (a private window?): they go when the page closes. ' +
    'Download them from "Saves and files".',
  '横向きにすると画面の全体が見える。縦向きでは画面がカーソルについて動き、指でもずらせる。':
    'Turn the phone sideways to see the whole screen. Upright, the screen follows the ' +
    'cursor, and your finger can move it.',
  'このゲームはほかのタブかウィンドウで開かれている。セーブが消し合わないよう、そちらを閉じるとここで始まる。':
    'The game is open in another tab or window. So that the saves do not undo each other, ' +
    'it starts here when that one is closed.',
  'このブラウザは設定を残せない。': 'This browser cannot keep settings.',
  'いまのゲームは始めたときの設定のまま。変えた設定は次にはじめたときから。':
    'This game keeps the settings it started with; the new ones apply from the next game.',
  'はまだない': 'does not exist yet', 'をダウンロードした': 'downloaded',
  '死亡レポートはまだない': 'No death report yet',
  'は読み込めない': 'cannot be read', 'を上書きしますか？': ': overwrite it?',
  'に置いたが、ブラウザの保存領域に残せなかった': 'is in place, but the browser\'s storage did not keep it',
  'に置いた。タイトルの「つづきから」で遊べる': 'is in place: choose Continue at the title to play it',
};

// The options the game starts with, kept in the browser. The language's first value
// follows the browser's: Japanese for ja*, English for any other.
const OPTIONS = ['assist', 'vikeys'];
const OPTIONSKEY = 'kurashi-options';
const LANGS = ['ja', 'en'];
function chosenoptions() {
  const first = /^ja\b/i.test(navigator.language || '') ? 'ja' : 'en';
  let kept = {};
  try {
    kept = JSON.parse(localStorage.getItem(OPTIONSKEY)) || {};
  } catch (err) {
    // a browser that keeps nothing, or a value spoilt by hand
  }
  return { ...Object.fromEntries(OPTIONS.map((o) => [o, kept[o] === true])),
    lang: LANGS.includes(kept.lang) ? kept.lang : first };
}
const playing = chosenoptions();  // this game's options

// A text of the page's in the page's language.
const t = (ja) => (playing.lang === 'en' && english[ja]) || ja;

// Every label, button and hint of the page in its language, keyed by its Japanese text.
function translatepage() {
  if (playing.lang !== 'en') return;
  document.documentElement.lang = 'en';
  const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node; (node = walk.nextNode());) {
    const text = node.nodeValue.replace(/\s+/g, ' ').trim();
    if (text in english) node.nodeValue = node.nodeValue.replace(/\S[^]*\S|\S/, english[text]);
  }
  for (const el of document.querySelectorAll('[aria-label], [title]')) {
    for (const a of ['aria-label', 'title']) {
      if (english[el.getAttribute(a)]) el.setAttribute(a, english[el.getAttribute(a)]);
    }
  }
}
translatepage();

// ------------------------------------------------------------------ the game, loading

// The game (game.js, its WebAssembly and its data) comes in and compiles while the page
// opens its terminal and takes the lock below, and starts once the page is ready for it
// (gameready): it asks the page for the storage first, before it shows anything.
let gameready;
const pageready = new Promise((resolve) => { gameready = resolve; });

// ?seed=N starts the draws from N, as --seed N does in the terminal.
const seed = new URLSearchParams(location.search).get('seed');
window.Module = {
  arguments: [...(seed && /^\d{1,10}$/.test(seed) ? ['--seed', seed] : []),
    ...OPTIONS.filter((o) => playing[o]).map((o) => `--${o}`),
    ...(playing.lang === 'en' ? ['--lang', 'en'] : [])],
  kurashi: null,  // the page's side, below
  preRun: [() => {
    Module.addRunDependency('page');
    pageready.then(() => Module.removeRunDependency('page'));
  }],
  print: (text) => console.log(text),
  printErr: (text) => {
    console.error(text);
    pageready.then(() => notice('error', text));
  },
};
const game = document.createElement('script');
game.src = 'game.js';
document.body.append(game);

// One game at a time in a browser: two pages would each save from their own copy of the
// folder, and the later would take away what the earlier saved. The lock is held for as
// long as the page is open; a second page waits for it. Asked for now, as the rest loads.
function takelock(options) {
  return new Promise((taken) => navigator.locks.request('kurashi', options, (lock) => {
    taken(lock !== null);
    return lock && new Promise(() => {});
  }));
}
const lockfree = navigator.locks ? takelock({ ifAvailable: true }) : Promise.resolve(true);

// Whether the browser promises to keep the player's files, asked now too: the storage's
// notice is up as soon as it answers, most often before the screen is first fitted to the
// room it shares with the notices (each fit measures the font anew, at some cost).
const promised = window.indexedDB ? persisted().catch(() => false) : Promise.resolve(false);

// ------------------------------------------------------------------ the screen

// The game's 16 colours, in the terminal's order, as the classic text screens had them; dark
// grey a little lighter than theirs, so that it reads on black (3:1).
const theme = {
  background: '#000000', foreground: '#c0c0c0', cursor: '#c0c0c0',
  black: '#000000', red: '#aa0000', green: '#00aa00', yellow: '#aa5500',
  blue: '#0000aa', magenta: '#aa00aa', cyan: '#00aaaa', white: '#aaaaaa',
  brightBlack: '#666666', brightRed: '#ff5555', brightGreen: '#55ff55', brightYellow: '#ffff55',
  brightBlue: '#5555ff', brightMagenta: '#ff55ff', brightCyan: '#55ffff', brightWhite: '#ffffff',
};

// The page's own font (kurashi.woff2, cut from Noto Sans Mono CJK JP) first: xterm.js measures
// its cells when it opens, so it waits for the font, but not for long. A character the font
// lacks (a player's name can hold any) comes from the system's fonts.
const FONT = '"kurashi", "BIZ UDGothic", "MS Gothic", "Osaka-Mono", "Noto Sans Mono CJK JP", ' +
  '"IPAGothic", monospace';
const [{ Terminal }] = await Promise.all([import('./xterm.mjs'),
  Promise.race([document.fonts.load('16px kurashi', 'あ').catch(() => {}),
    new Promise((r) => setTimeout(r, 1500))])]);
const term = new Terminal({
  cols: 80, rows: 25, scrollback: 0, convertEol: true, cursorBlink: false,
  fontSize: 16, theme, minimumContrastRatio: 1, drawBoldTextInBrightColors: false,
  fontFamily: FONT,
});
term.open($('screen'));

// ------------------------------------------------------------------ keys

// What the game reads for a key without a character: 0x110000 + prefix * 256 + scan code.
const ext = (prefix, scan) => 0x110000 + prefix * 256 + scan;
const sequences = {
  '\x1b[A': ext(224, 72), '\x1b[B': ext(224, 80), '\x1b[C': ext(224, 77), '\x1b[D': ext(224, 75),
  '\x1bOA': ext(224, 72), '\x1bOB': ext(224, 80), '\x1bOC': ext(224, 77), '\x1bOD': ext(224, 75),
  '\x1b[H': ext(224, 71), '\x1b[F': ext(224, 79), '\x1b[1~': ext(224, 71), '\x1b[4~': ext(224, 79),
  '\x1b[5~': ext(224, 73), '\x1b[6~': ext(224, 81), '\x1b[2~': ext(224, 82), '\x1b[3~': ext(224, 83),
  '\x1bOP': ext(0, 59), '\x1bOQ': ext(0, 60), '\x1bOR': ext(0, 61), '\x1bOS': ext(0, 62),
  '\x1b[15~': ext(0, 63), '\x1b[17~': ext(0, 64), '\x1b[18~': ext(0, 65), '\x1b[19~': ext(0, 66),
  '\x1b[20~': ext(0, 67), '\x1b[21~': ext(0, 68),
};
const touchkeys = {
  up: ext(224, 72), down: ext(224, 80), left: ext(224, 75), right: ext(224, 77),
  pgup: ext(224, 73), pgdn: ext(224, 81), esc: 27, enter: 13, help: 63,
  log: 16,  // Ctrl-P: the message log
};

const queue = [];
let waiting = null;  // the game's key wait, when it is waiting

function push(code) {
  if (waiting) {
    const resume = waiting;
    waiting = null;
    resume(code);
  } else {
    queue.push(code);
  }
}

term.onData((data) => {
  if (data in sequences) return push(sequences[data]);
  if (data.length > 1 && data[0] === '\x1b') return;  // a key the game has no use for
  for (const ch of data) push(ch.codePointAt(0));
});

for (const button of document.querySelectorAll('#touch [data-key]')) {
  // pressed without taking the focus, so a touch does not bring up the device's keyboard
  button.addEventListener('pointerdown', (e) => e.preventDefault());
  button.addEventListener('click', () => {
    stamp();
    push(touchkeys[button.dataset.key]);
  });
}
$('keyboard').addEventListener('click', () => term.focus());

// ------------------------------------------------------------------ timing

// How quickly the screen answers: from a key to the screen drawn with its answer, and from
// the page's start to the title. The browser test reads them.
const stats = { title: null, keys: [] };
window.kurashiStats = stats;
let keyat = null;    // when the last key came, until the game shows its answer
let drawing = null;  // that time, once the answer is in the terminal and waits to be drawn

function stamp() { keyat = performance.now(); }
document.addEventListener('keydown', stamp, true);
term.onRender(() => {
  if (stats.title === null && term.buffer.active.getLine(0)?.translateToString().trim()) {
    stats.title = performance.now();
    setTimeout(keepsite, 0);
  }
  if (drawing === null) return;
  if (stats.keys.length < 10000) stats.keys.push(performance.now() - drawing);
  drawing = null;
});

// ------------------------------------------------------------------ fitting the window

// The 80 x 25 screen as large as the window lets it be: the font scaled to the room, then
// made smaller a step at a time while the cells' rounding leaves it too large. On a phone on
// its side the height is short: the width to spare goes between the columns, up to half a
// column, so that the screen fills the width. A column is
// never narrower than MINCOL, which still reads: on an upright phone, or with the device's
// keyboard up, the screen is larger than its room and pans to follow the cursor.
const MINCOL = 8;
const sideways = matchMedia('(orientation: landscape) and (max-height: 500px)');  // as page.css
const view = { column: 0, row: 0, panning: false };
window.kurashiView = view;
function fit() {
  const room = $('screen');
  const grid = term.element.querySelector('.xterm-screen');
  if (!grid || !grid.offsetWidth || !room.clientWidth) return;
  const width = room.clientWidth, height = room.clientHeight;
  if (term.options.letterSpacing) term.options.letterSpacing = 0;  // each change draws anew
  const over = () => grid.offsetWidth > width || grid.offsetHeight > height;
  const scale = Math.min(width / grid.offsetWidth, height / grid.offsetHeight);
  term.options.fontSize = Math.max(6, Math.floor(term.options.fontSize * scale * 4) / 4);
  while (over() && term.options.fontSize > 6) term.options.fontSize -= 0.25;
  const glyph = grid.offsetWidth / 80;
  const spare = sideways.matches ? Math.floor(Math.min(width / 80 - glyph, glyph / 2)) : 0;
  if (glyph + Math.max(0, spare) < MINCOL) {
    while (grid.offsetWidth / 80 < MINCOL && term.options.fontSize < 40)
      term.options.fontSize += 0.25;
  } else if (spare > 0) {
    term.options.letterSpacing = spare;  // whole pixels
  }
  view.column = grid.offsetWidth / 80;
  view.row = grid.offsetHeight / 25;
  view.panning = over();
  room.classList.toggle('pans', view.panning);
  notice('turn', view.panning && height > width
    ? '横向きにすると画面の全体が見える。縦向きでは画面がカーソルについて動き、指でもずらせる。' : '');
  follow();
}

// Where the player looks: the cursor where the game shows it (a word prompt), else the
// player's @ on a map.
let cursorshown = false;
function target() {
  const buffer = term.buffer.active;
  if (cursorshown) return [buffer.cursorX, buffer.cursorY];
  for (let y = 0; y < 25; y++) {
    const line = buffer.getLine(y);
    for (let x = 0; line && x < 80; x++) {
      if (line.getCell(x)?.getChars() === '@') return [x, y];
    }
  }
  return null;
}

// With the screen larger than its room, the room scrolls to keep the target in its middle.
function follow() {
  if (!view.panning) return;
  const room = $('screen');
  const at = target();
  if (!at) return;
  const x = (at[0] + 0.5) * view.column, y = (at[1] + 0.5) * view.row;
  const inside = (p, from, size) => p >= from + size / 4 && p <= from + size * 3 / 4;
  if (!inside(x, room.scrollLeft, room.clientWidth)) room.scrollLeft = x - room.clientWidth / 2;
  if (!inside(y, room.scrollTop, room.clientHeight)) room.scrollTop = y - room.clientHeight / 2;
}
new ResizeObserver(fit).observe($('screen'));  // the window, or the notices under it
term.onRender(follow);

// ------------------------------------------------------------------ notices

// The page's notices under the screen, one of each kind; a kind of advice the player closed
// stays closed, in this browser, from then on (an error or a wait only goes away).
const CLOSED = 'kurashi-closed';
const ADVICE = ['mayvanish', 'none', 'turn'];
function closedkinds() {
  try {
    return JSON.parse(localStorage.getItem(CLOSED)) || [];
  } catch (err) {
    return [];
  }
}
function notice(kind, text) {
  let p = document.querySelector(`#notices [data-kind="${kind}"]`);
  if (!text || closedkinds().includes(kind)) return p?.remove();
  if (!p) {
    p = document.createElement('p');
    p.dataset.kind = kind;
    const close = document.createElement('button');
    close.type = 'button';
    close.className = 'close';
    close.textContent = '×';
    close.setAttribute('aria-label', t('閉じる'));
    close.addEventListener('click', () => {
      try {
        const closed = [...closedkinds(), kind];
        if (ADVICE.includes(kind)) localStorage.setItem(CLOSED, JSON.stringify(closed));
      } catch (err) {
        // kept closed for this page only
      }
      p.remove();
      backtogame();
    });
    p.append(document.createElement('span'), close);
    $('notices').append(p);
  }
  p.firstChild.textContent = t(text);
}

// ------------------------------------------------------------------ the player's files

const notices = {
  kept: '',
  mayvanish: 'このブラウザはセーブを残すと約束しなかった (空き容量が足りないと消えうる)。' +
    '大切なセーブは「セーブとファイル」からダウンロードを。',
  none: 'このブラウザではセーブを残せない (プライベートウィンドウなど): ページを閉じると消える。' +
    '「セーブとファイル」からダウンロードできる。',
};
let FS = null;
let storage = 'none';
const foretold = promised.then((kept) => {
  const kind = !window.indexedDB ? 'none' : kept ? 'kept' : 'mayvanish';
  notice(kind, notices[kind]);
  return kind;
});

function syncfs(populate) {
  return new Promise((done, failed) => FS.syncfs(populate, (err) => (err ? failed(err) : done())));
}

async function persisted() {
  const s = navigator.storage;
  if (!s || !s.persist) return false;
  return (await s.persisted()) || s.persist();
}

function say(where, text) { $(where).textContent = text; }

// Keys go back to the game once a control of the page has done its work; not after a touch,
// when that would bring up the device's keyboard.
let touched = false;
document.addEventListener('pointerdown', (e) => { touched = e.pointerType === 'touch'; }, true);
function backtogame() { if (!touched && $('over').hidden) term.focus(); }

// The game's side of its console and its storage (src/web/webconsole.cpp, webmain.cpp).
const kurashi = {
  show(bytes) {
    // the game shows the cursor at its word prompts alone (ESC [ ? 2 5 h, and l to hide it)
    for (let i = bytes.length - 6; i >= 0; i--) {
      if (bytes[i] !== 0x1b || bytes[i + 1] !== 0x5b || bytes[i + 2] !== 0x3f
        || bytes[i + 3] !== 0x32 || bytes[i + 4] !== 0x35) continue;
      cursorshown = bytes[i + 5] === 0x68;
      break;
    }
    const answer = keyat;
    keyat = null;
    term.write(bytes, () => { if (answer !== null) drawing = answer; });
  },
  poll() { return queue.length ? queue.shift() : -1; },
  wait() { return new Promise((resume) => { waiting = resume; }); },

  // Mounts the browser's storage at /data and reads the player's files from it.
  async openstorage(fs, idbfs) {
    FS = fs;
    FS.mkdir('/data');
    try {
      if (!window.indexedDB) throw new Error('no IndexedDB');  // IDBFS would stop the game
      FS.mount(idbfs, {}, '/data');
      await syncfs(true);
      storage = (await promised) ? 'kept' : 'mayvanish';
    } catch (err) {
      storage = 'none';
    }
    const early = await foretold;
    if (storage !== early) notice(early, '');
    notice(storage, notices[storage]);
    return 0;
  },
  // Hands the data folder to the browser's storage: null, or why it failed.
  async keep() {
    if (storage === 'none') return null;  // the page already says saves do not last
    try {
      await syncfs(false);
      showplaces();
      return null;
    } catch (err) {
      return String(err && (err.message || err.name) || err);
    }
  },
  // A game is set up (new or loaded): the settings it started with are its own until it ends.
  begun() { begun = true; },
  // The game is over: the page says so over its last screen, and Enter starts again.
  ended(status) {
    say('overtext', t(status === 0 ? 'ゲームは終わった。' : 'ゲームを始められなかった。'));
    $('over').hidden = false;
    term.blur();
    $('again').focus();
  },
};
Module.kurashi = kurashi;

// ------------------------------------------------------------------ the game's options

// The terminal game's options file, kept in the browser (chosenoptions, above): read when
// the game starts and given to it as arguments, and fixed for that game, as in the terminal.
const REOPEN = 'kurashi-settings-open';  // the panel stays open over the restart a change makes
let begun = false;  // a game is set up, and plays with the options it started with

// Puts value (null: takes the value away) under key in the tab's session; returns what was
// there before.
function keepsession(key, value) {
  try {
    const was = sessionStorage.getItem(key);
    if (value === null) sessionStorage.removeItem(key);
    else sessionStorage.setItem(key, value);
    return was;
  } catch (err) {
    return null;  // a browser that keeps nothing
  }
}

function changeoptions() {
  const chosen = { ...Object.fromEntries(OPTIONS.map((o) => [o, $(o).checked])),
    lang: $('lang').value };
  try {
    localStorage.setItem(OPTIONSKEY, JSON.stringify(chosen));
  } catch (err) {
    return say('settingsmessage', t('このブラウザは設定を残せない。'));
  }
  if (!begun) {  // nothing to lose before a game is set up: the game starts again at once
    keepsession(REOPEN, '1');
    return location.reload();
  }
  const same = [...OPTIONS, 'lang'].every((o) => chosen[o] === playing[o]);
  say('settingsmessage', same ? ''
    : t('いまのゲームは始めたときの設定のまま。変えた設定は次にはじめたときから。'));
}

for (const o of OPTIONS) {
  $(o).checked = playing[o] === true;
  $(o).addEventListener('change', changeoptions);
}
$('lang').value = playing.lang;
$('lang').addEventListener('change', changeoptions);
$('settings').open = keepsession(REOPEN, null) === '1';

// ------------------------------------------------------------------ downloads and uploads

const SAVEFILECAP = 1 << 20;  // the game reads no longer game file

function readfile(path) {
  try { return FS.readFile(path); } catch (err) { return null; }
}

function download(path, name) {
  const bytes = FS && readfile(path);
  if (!bytes) return say('filemessage', `${name} ${t('はまだない')}`);
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  a.click();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
  say('filemessage', `${name} ${t('をダウンロードした')}`);
}

// The save places as the index names them (the file is Shift-JIS).
function places() {
  const bytes = FS && readfile('/data/save/save');
  const lines = bytes ? new TextDecoder('shift_jis').decode(bytes).split('\n') : [];
  return Array.from({ length: 16 }, (_, i) => {
    const [name, lv] = (lines[i] || '').trim().split(/\s+/);
    return Number(lv) ? `${name} (Lv.${lv})` : '';
  });
}

function showplaces() {
  const select = $('place');
  const chosen = select.selectedIndex;
  select.replaceChildren(...places().map((game, i) =>
    new Option(`${'abcdefghijklmnop'[i]}: ${game || t('空き')}`, String(i))));
  select.selectedIndex = Math.max(0, chosen);
}

async function upload(file, place) {
  const bytes = new Uint8Array(await file.slice(0, SAVEFILECAP + 1).arrayBuffer());
  const game = places()[place];
  if (game && !confirm(`${'abcdefghijklmnop'[place]}: ${game} ${t('を上書きしますか？')}`)) return;
  const at = Module._malloc(bytes.length + 1);
  const message = Module._malloc(1024);
  Module.HEAPU8.set(bytes, at);
  const ok = Module._kurashi_putgame(place, at, bytes.length, message, 1024);
  const text = Module.UTF8ToString(message).trim();
  Module._free(at);
  Module._free(message);
  if (!ok) return say('filemessage', `${file.name} ${t('は読み込めない')}: ${text}`);
  const err = await kurashi.keep();
  say('filemessage', err ? `${text} ${t('に置いたが、ブラウザの保存領域に残せなかった')}: ${err}`
    : `${file.name}${playing.lang === 'en' ? ' →' : ' を'} ${text} ${t('に置いた。タイトルの「つづきから」で遊べる')}`);
  showplaces();
}

$('files').addEventListener('toggle', showplaces);
$('download').addEventListener('click', () => {
  const n = $('place').selectedIndex;
  download(`/data/save/save${n}`, `save${n}`);
});
$('upload').addEventListener('click', () => $('uploadfile').click());
$('uploadfile').addEventListener('change', async (e) => {
  const file = e.target.files[0];
  e.target.value = '';
  if (file) await upload(file, $('place').selectedIndex);
});
$('index').addEventListener('click', () => download('/data/save/save', 'save'));
$('dead').addEventListener('click', () => download('/data/dead.txt', 'dead.txt'));
$('record').addEventListener('click', () => download('/kurashi.rec', 'kurashi.rec'));
// The newest death report: the reports are named by the time of the death, so it sorts last.
$('morgue').addEventListener('click', () => {
  let reports = [];
  try {
    reports = FS.readdir('/data/morgue').filter((f) => f.endsWith('.txt')).sort();
  } catch (err) {
    // no death yet
  }
  if (!reports.length) return say('filemessage', t('死亡レポートはまだない'));
  const name = reports[reports.length - 1];
  download(`/data/morgue/${name}`, name);
});
$('reader').addEventListener('change', (e) => {
  term.options.screenReaderMode = e.target.checked;
});
for (const b of document.querySelectorAll('summary, details button, details input')) {
  b.addEventListener('click', backtogame);
}
for (const c of document.querySelectorAll('details select, details input')) {
  c.addEventListener('change', backtogame);
}
$('again').addEventListener('click', () => location.reload());

// ------------------------------------------------------------------ the game, started

// After one visit the site plays with no network: the service worker keeps this build's
// files. It starts once the title is up, so that its downloads do not slow the first one.
function keepsite() {
  if (window.isSecureContext && 'serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').then((sw) => sw.update())  // a new build?
      .catch((err) => console.error(err));
}

// The game starts once this page holds the lock, and waits for as long as another has it.
if (!(await lockfree)) {
  notice('lock', 'このゲームはほかのタブかウィンドウで開かれている。' +
    'セーブが消し合わないよう、そちらを閉じるとここで始まる。');
  await takelock({});
  notice('lock', '');
}

term.focus();
gameready();
