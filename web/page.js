// The page around the game (game.js, the game compiled by Emscripten): xterm.js shows its
// screen, the keys and touch buttons feed its key waits, the browser's storage keeps the
// player's files and options, the settings panel chooses the options, and the files panel
// downloads and uploads the files. No rule of the game is here: every key goes to the game
// as the terminal would give it.

import { Terminal } from './xterm.mjs';

const $ = (id) => document.getElementById(id);

// The game's 16 colours, in the terminal's order, as the classic text screens had them.
const theme = {
  background: '#000000', foreground: '#c0c0c0', cursor: '#c0c0c0',
  black: '#000000', red: '#aa0000', green: '#00aa00', yellow: '#aa5500',
  blue: '#0000aa', magenta: '#aa00aa', cyan: '#00aaaa', white: '#aaaaaa',
  brightBlack: '#555555', brightRed: '#ff5555', brightGreen: '#55ff55', brightYellow: '#ffff55',
  brightBlue: '#5555ff', brightMagenta: '#ff55ff', brightCyan: '#55ffff', brightWhite: '#ffffff',
};

const term = new Terminal({
  cols: 80, rows: 25, scrollback: 0, convertEol: true, cursorBlink: false,
  fontSize: 16, theme, minimumContrastRatio: 1, drawBoldTextInBrightColors: false,
  fontFamily: '"BIZ UDGothic", "MS Gothic", "Osaka-Mono", "Noto Sans Mono CJK JP", "IPAGothic", ' +
    'monospace',
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
  if (stats.title === null && term.buffer.active.getLine(0)?.translateToString().trim())
    stats.title = performance.now();
  if (drawing === null) return;
  if (stats.keys.length < 10000) stats.keys.push(performance.now() - drawing);
  drawing = null;
});

// ------------------------------------------------------------------ fitting the window

// The 80 x 25 screen as large as the window lets it be: the font scaled to the room, then
// made smaller a step at a time while the cells' rounding leaves it too large.
function fit() {
  const room = $('screen').getBoundingClientRect();
  const grid = term.element.querySelector('.xterm-screen');
  if (!grid || !grid.offsetWidth || !room.width) return;
  const over = () => grid.offsetWidth > room.width || grid.offsetHeight > room.height;
  const scale = Math.min(room.width / grid.offsetWidth, room.height / grid.offsetHeight);
  term.options.fontSize = Math.max(6, Math.floor(term.options.fontSize * scale * 4) / 4);
  while (over() && term.options.fontSize > 6) term.options.fontSize -= 0.25;
}
new ResizeObserver(fit).observe($('screen'));  // the window, or the notices under it

// ------------------------------------------------------------------ the player's files

const notices = {
  kept: '',
  mayvanish: 'このブラウザはセーブを消さずに残すと約束しなかった。' +
    'プライベートウィンドウでは閉じると消え、' +
    'そうでなくても空き容量が足りなくなると消されることがある。' +
    '大切なセーブは「セーブとファイル」からダウンロードしておくこと。',
  none: 'このブラウザではセーブを残せない (プライベートウィンドウなど)。ゲームは遊べるが、' +
    'セーブはこのページを閉じると消える。残すには「セーブとファイル」からダウンロードすること。',
};
let FS = null;
let storage = 'none';

function syncfs(populate) {
  return new Promise((done, failed) => FS.syncfs(populate, (err) => (err ? failed(err) : done())));
}

async function persisted() {
  const s = navigator.storage;
  if (!s || !s.persist) return false;
  return (await s.persisted()) || s.persist();
}

function say(where, text) { $(where).textContent = text; }

// The game's side of its console and its storage (src/web/webconsole.cpp, webmain.cpp).
const kurashi = {
  show(bytes) {
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
      storage = (await persisted()) ? 'kept' : 'mayvanish';
    } catch (err) {
      storage = 'none';
    }
    say('notice', notices[storage]);
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
  ended(status) {
    const end = document.createElement('p');
    end.textContent = status === 0 ? 'ゲームは終わった。' : 'ゲームを始められなかった。';
    const again = document.createElement('button');
    again.type = 'button';
    again.textContent = 'もう一度はじめる';
    again.addEventListener('click', () => location.reload());
    end.append(' ', again);
    $('notice').after(end);
  },
};

// ------------------------------------------------------------------ the game's options

// The terminal game's options file, kept in the browser: read when the game starts and given
// to it as arguments, and fixed for that game, as in the terminal.
const OPTIONS = ['assist', 'vikeys'];
const OPTIONSKEY = 'kurashi-options';
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

function chosenoptions() {
  try {
    const kept = JSON.parse(localStorage.getItem(OPTIONSKEY)) || {};
    return Object.fromEntries(OPTIONS.map((o) => [o, kept[o] === true]));
  } catch (err) {
    return {};  // a browser that keeps nothing, or a value spoilt by hand
  }
}
const playing = chosenoptions();  // this game's options

function changeoptions() {
  const chosen = Object.fromEntries(OPTIONS.map((o) => [o, $(o).checked]));
  try {
    localStorage.setItem(OPTIONSKEY, JSON.stringify(chosen));
  } catch (err) {
    return say('settingsmessage', 'このブラウザは設定を残せない。');
  }
  if (!begun) {  // nothing to lose before a game is set up: the game starts again at once
    keepsession(REOPEN, '1');
    return location.reload();
  }
  const same = OPTIONS.every((o) => chosen[o] === playing[o]);
  say('settingsmessage', same ? ''
    : 'いまのゲームは始めたときの設定のまま。変えた設定は次にはじめたときから。');
}

for (const o of OPTIONS) {
  $(o).checked = playing[o] === true;
  $(o).addEventListener('change', changeoptions);
}
$('settings').open = keepsession(REOPEN, null) === '1';

// ------------------------------------------------------------------ downloads and uploads

const SAVEFILECAP = 1 << 20;  // the game reads no longer game file

function readfile(path) {
  try { return FS.readFile(path); } catch (err) { return null; }
}

function download(path, name) {
  const bytes = FS && readfile(path);
  if (!bytes) return say('filemessage', `${name} はまだない`);
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  a.click();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
  say('filemessage', `${name} をダウンロードした`);
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
    new Option(`${'abcdefghijklmnop'[i]}: ${game || '空き'}`, String(i))));
  select.selectedIndex = Math.max(0, chosen);
}

async function upload(file, place) {
  const bytes = new Uint8Array(await file.slice(0, SAVEFILECAP + 1).arrayBuffer());
  const game = places()[place];
  if (game && !confirm(`${'abcdefghijklmnop'[place]}: ${game} を上書きしますか？`)) return;
  const at = Module._malloc(bytes.length + 1);
  const message = Module._malloc(1024);
  Module.HEAPU8.set(bytes, at);
  const ok = Module._kurashi_putgame(place, at, bytes.length, message, 1024);
  const text = Module.UTF8ToString(message).trim();
  Module._free(at);
  Module._free(message);
  if (!ok) return say('filemessage', `${file.name} は読み込めない: ${text}`);
  const err = await kurashi.keep();
  say('filemessage', err ? `${text} に置いたが、ブラウザの保存領域に残せなかった: ${err}`
    : `${file.name} を ${text} に置いた。タイトルの「つづきから」で遊べる`);
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
$('reader').addEventListener('change', (e) => {
  term.options.screenReaderMode = e.target.checked;
});
// Keys go back to the game once a button or a setting has done its work; not after a touch,
// when that would bring up the device's keyboard.
let touched = false;
document.addEventListener('pointerdown', (e) => { touched = e.pointerType === 'touch'; }, true);
const controls = 'summary, details button, details input[type=checkbox]';
for (const b of document.querySelectorAll(controls)) {
  b.addEventListener('click', () => { if (!touched) term.focus(); });
}

// ------------------------------------------------------------------ the game

// ?seed=N starts the draws from N, as --seed N does in the terminal.
const seed = new URLSearchParams(location.search).get('seed');
window.Module = {
  arguments: [...(seed && /^\d{1,10}$/.test(seed) ? ['--seed', seed] : []),
    ...OPTIONS.filter((o) => playing[o]).map((o) => `--${o}`)],
  kurashi,
  print: (text) => console.log(text),
  printErr: (text) => { console.error(text); say('notice', text); },
};

// One game at a time in a browser: two pages would each save from their own copy of the
// folder, and the later would take away what the earlier saved. The lock is held for as
// long as the page is open; a second page waits for it.
function takelock(options) {
  return new Promise((taken) => navigator.locks.request('kurashi', options, (lock) => {
    taken(lock !== null);
    return lock && new Promise(() => {});
  }));
}
if (navigator.locks && !(await takelock({ ifAvailable: true }))) {
  say('notice', 'このゲームはほかのタブかウィンドウで開かれている。' +
    'セーブが消し合わないよう、そちらを閉じるとここで始まる。');
  await takelock({});
  say('notice', '');
}

term.focus();
const game = document.createElement('script');
game.src = 'game.js';
document.body.append(game);
