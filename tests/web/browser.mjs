// The browser game beside the terminal game: the site that web.sh builds, played in headless
// Chromium (puppeteer-core on Debian's chromium, no browser downloaded), and the native game
// played with the same seed and keys through its plain console.
//   node tests/web/browser.mjs build/kurashi build-web/site
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [binary, built] = process.argv.slice(2).map((p) => path.resolve(p));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kurashi-web-'));
const site = path.join(work, 'site');  // a copy, which a later step builds anew
fs.cpSync(built, site, { recursive: true });
const maps = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../map');
const STEPS = 200;
let failures = 0;

function check(ok, what, detail = '') {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${detail ? `: ${detail}` : ''}`);
  if (!ok) failures++;
}

// ------------------------------------------------------------------ keys, both ways

const plainkeys = {
  ArrowUp: 'H', ArrowLeft: 'K', ArrowRight: 'M', ArrowDown: 'P', Enter: '\n', Escape: '\x1b',
};
// a new easy game named name, two of the town's first goods bought, saved in place a
const newgame = (name) => ['a', name, 'Enter', 'a', 'a', 'a', 'a', '2', 'Enter', ' ', 'Escape',
  'j', 'a', 'y', ' '];
const walk = Array.from({ length: STEPS }, (_, i) => (i % 2 ? 'ArrowLeft' : 'ArrowRight'));
// characters that code page 932 has and plain Shift-JIS lacks, or holds under other codes
const NAME = '①～ⅰ太郎';
const keys = [...newgame(NAME), 'c', 'a', ...walk];

// The native game in its own folder: its screens, split where it clears them.
function native(seed, tokens, dir) {
  fs.mkdirSync(dir, { recursive: true });
  fs.symlinkSync(maps, path.join(dir, 'map'));
  const input = tokens.map((k) => plainkeys[k] ?? k).join('');
  const r = spawnSync(binary, ['--plain', '--seed', String(seed), '--dir', dir], { input });
  return r.stdout.toString().split('\f');
}

// The first seed whose game lives through the keys (the walk meets the floor's creatures),
// with the native game's screens of it.
function survivingseed() {
  for (let seed = 1; seed <= 100; seed++) {
    const dir = path.join(work, `native${seed}`);
    const screens = native(seed, keys, dir);
    if (!screens.some((s) => s.includes('あなたは死んだ'))) return { seed, screens, dir };
    fs.rmSync(dir, { recursive: true });
  }
  throw new Error('no seed of 1..100 lives through the walk');
}

// Screens compared as the words on their lines: tabs and blank cells differ in form only.
const words = (text) => text.split('\n').map((l) => l.replace(/\s+/g, ' ').trim())
  .filter(Boolean).join('\n');

// ------------------------------------------------------------------ the site and the browser

const servers = [];  // every server started, all stopped at the end
function serve(port = 0) {
  const server = spawn('python3',
    ['-u', '-m', 'http.server', String(port), '--bind', '127.0.0.1', '--directory', site]);
  servers.push(server);
  return new Promise((resolve, reject) => {
    server.stdout.on('data', (d) => {
      const port = /port (\d+)/.exec(String(d));
      if (port) resolve({ server, url: `http://127.0.0.1:${port[1]}/` });
    });
    server.on('exit', () => reject(new Error('http.server did not start')));
  });
}

const launch = (env = process.env, profile = 'profile') => puppeteer.launch({
  executablePath: '/usr/bin/chromium', env,
  userDataDir: path.join(work, profile),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

// A page of a browser whose language is lang: the game's language follows it at first.
async function newpage(browser, lang = 'ja-JP') {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument((l) =>
    Object.defineProperty(navigator, 'language', { get: () => l }), lang);
  return page;
}

async function tab(browser) {
  const page = await newpage(browser);
  page.on('pageerror', (e) => check(false, 'the page runs without errors', e.message));
  await page.setViewport({ width: 1000, height: 800 });
  return { page, cdp: await browser.target().createCDPSession() };
}

const rows = '.xterm-rows > div';
const screen = (page) => page.$$eval(rows, (r) => r.map((row) => row.textContent).join('\n'));
// Waits for text on the screen; a wait that times out says what the screen showed instead.
const showing = (page, text) => page.waitForFunction((sel, t) =>
  [...document.querySelectorAll(sel)].some((r) => r.textContent.includes(t)), {}, rows, text)
  .catch(async (e) => {
    const shown = await screen(page).catch(() => '(no screen)');
    throw new Error(`"${text}" never showed; the screen:\n${shown}\n${e.message}`);
  });
const stats = (page) => page.evaluate(() => window.kurashiStats);
const message = (page) => page.$eval('#filemessage', (p) => p.textContent);

async function press(page, tokens) {
  for (const k of tokens) {
    if (k in plainkeys) await page.keyboard.press(k);
    else await page.keyboard.type(k);
  }
}

// Opens the page at its title; requests after the title has shown are kept in late.
async function open(page, url, late) {
  let loaded = false;
  page.removeAllListeners('request');
  page.on('request', (r) => { if (loaded && !/^(blob|data):/.test(r.url())) late.push(r.url()); });
  await page.goto(url);
  await showing(page, 'ようこそ');
  loaded = true;
}

// The file the button downloads.
async function download(page, cdp, button) {
  const dir = path.join(work, 'downloads');
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(dir);
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
  await page.click(button);
  // the file is whole once it has its own name and its size has stopped changing
  let size = -1;
  for (let i = 0; i < 100; i++) {
    await new Promise((r) => setTimeout(r, 50));
    const done = fs.readdirSync(dir).filter((f) => !/\.(crdownload|tmp)$/.test(f));
    if (done.length !== 1) continue;
    const file = path.join(dir, done[0]);
    const now = fs.statSync(file).size;
    if (now > 0 && now === size) return fs.readFileSync(file);
    size = now;
  }
  return Buffer.alloc(0);
}

async function choose(page, place) {
  await page.$eval('#files', (d) => { d.open = true; });
  await page.waitForFunction(() => document.querySelectorAll('#place option').length === 16);
  await page.select('#place', String(place));
}

async function upload(page, place, file, answer) {
  await choose(page, place);
  await (await page.$('#uploadfile')).uploadFile(file);
  await page.waitForFunction((t) => document.querySelector('#filemessage').textContent.includes(t),
    {}, answer);
}

// The page's recording: its header line, and its last screen as the terminal game replays it.
async function replayed(page, cdp) {
  await page.$eval('#files', (d) => { d.open = true; });
  const recording = path.join(work, 'browser.rec');
  fs.writeFileSync(recording, await download(page, cdp, '#record'));
  const dir = fs.mkdtempSync(path.join(work, 'replay'));
  fs.symlinkSync(maps, path.join(dir, 'map'));
  const replay = spawnSync(binary, ['--replay', recording, '--dir', dir]).stdout.toString();
  return { header: fs.readFileSync(recording, 'latin1').split('\n')[0],
    last: words(replay.split('\f').pop()) };
}

// ------------------------------------------------------------------ the steps

// A new game, saved, then 200 steps on a floor: the time from a key to its screen; the
// screen, the recording and the saved files against the terminal game's.
async function newgameandwalk(page, cdp, url, late) {
  const nat = survivingseed();
  await open(page, url + `?seed=${nat.seed}`, late);
  await press(page, newgame(NAME));
  await showing(page, '何をする？');
  const home = words(await screen(page));
  await press(page, ['c', 'a']);
  await showing(page, '地下1階');
  for (let i = 0; i < STEPS; i++) {
    const before = (await stats(page)).keys.length;
    await press(page, [walk[i]]);
    await page.waitForFunction((n) => window.kurashiStats.keys.length > n, { timeout: 500 },
      before).catch(() => {});
  }
  const times = (await stats(page)).keys.slice(-STEPS).sort((a, b) => a - b);
  const median = times[Math.floor(times.length / 2)];
  check(times.length >= STEPS * 0.9 && median <= 16.7,
    `a key's answer is on the screen within a frame (median of ${times.length} steps)`,
    `${median?.toFixed(1)} ms, slowest ${times[times.length - 1]?.toFixed(1)} ms`);

  const shown = words(await screen(page));
  const last = words(nat.screens[nat.screens.length - 1]);
  check(shown === last, `after the walk the screen is the terminal game's (seed ${nat.seed})`,
    shown === last ? '' : `\n${shown}\n---- terminal:\n${last}`);

  check((await replayed(page, cdp)).last === shown,
    'the browser\'s recording replays natively to the same screen');

  await choose(page, 0);
  const save0 = await download(page, cdp, '#download');
  const index = await download(page, cdp, '#index');
  check(save0.length > 0 && save0.equals(fs.readFileSync(path.join(nat.dir, 'save/save0'))),
    'the downloaded save is the terminal game\'s save/save0, byte for byte', `${save0.length} bytes`);
  const natindex = fs.readFileSync(path.join(nat.dir, 'save/save'));
  check(index.equals(natindex), 'the downloaded index is the terminal game\'s save/save, byte for byte',
    index.equals(natindex) ? '' : `${index.length} bytes against ${natindex.length}:\n${index}`);
  return home;
}

// The time from the page's start to its title at a first visit, with nothing cached or kept
// (a new browser context each time), in a browser that is already running: a browser just
// launched spends its first second on its own pages, on the same cores. The median of five.
async function titletime(browser, url) {
  const times = [];
  for (let i = 0; i < 5; i++) {
    const context = await browser.createBrowserContext();
    const page = await newpage(context);
    await page.setViewport({ width: 1000, height: 800 });
    await page.goto(url);
    await showing(page, 'ようこそ');
    times.push((await stats(page)).title);
    await context.close();
  }
  const median = [...times].sort((a, b) => a - b)[2];
  check(median <= 1000, 'at a first visit the title shows within 1 s of the page load (median of 5)',
    `${times.map((t) => t.toFixed(0)).join(', ')} ms`);
}

// In the browser opened again the save list holds the game, and it loads with its name,
// level, money and date.
async function reopenandload(page, url, late, home) {
  await open(page, url, late);
  await press(page, ['b']);
  await showing(page, 'セーブデータを選んでくれ');
  const list = await screen(page);
  check(list.includes(`a:${NAME}(Lv.1)`), 'in the browser opened again the save list names the game',
    list.split('\n')[2]);
  await press(page, ['a']);
  await showing(page, '何をする？');
  const money = (s) => `${/所持金：\S+/.exec(s)?.[0]} ${/日付：\S+/.exec(s)?.[0]}`;
  const loaded = words(await screen(page));
  check(money(loaded) === money(home), 'the loaded game has the saved money and date', money(loaded));
}

// A save of the terminal game goes into place b and loads; a damaged one is refused.
async function uploads(page, url, late) {
  const other = native(1, newgame('端末'), path.join(work, 'other'));
  const saved = path.join(work, 'other/save/save0');
  // the home screen as it was saved: the save itself takes an action's time
  const home = other.slice(0, other.findIndex((s) => s.includes('どこにセーブしますか')))
    .findLast((s) => s.includes('何をする？'));
  await upload(page, 1, saved, 'b:');

  const broken = path.join(work, 'broken');
  fs.writeFileSync(broken, Buffer.concat([Buffer.from('9'), fs.readFileSync(saved).subarray(1)]));
  await upload(page, 2, broken, '読み込めない');
  const refusal = await message(page);
  check(refusal.includes('セーブデータcが壊れている') && refusal.includes('1行目'),
    'a damaged upload is refused with the game\'s message', refusal);
  await page.select('#place', '0');
  check(await page.evaluate(() => document.activeElement.classList.contains('xterm-helper-textarea')),
    'after a place is chosen in the files panel, keys go to the game');

  await open(page, url, late);
  await press(page, ['b']);
  await showing(page, 'b:端末(Lv.1)');
  check(!(await screen(page)).includes('c:'), 'the refused file took no place');
  await press(page, ['b']);
  await showing(page, '何をする？');
  const loaded = words(await screen(page));
  check(loaded === words(home), 'the terminal game\'s save, uploaded, loads to its home screen',
    loaded === words(home) ? '' : `\n${loaded}\n---- terminal:\n${words(home)}`);
}

// The settings, changed at the title, start the game again at once and last over that reload;
// the game plays in the assisted view with vi-keys, the log button opens the log, and the
// recording carries the options to the terminal game.
async function settings(page, cdp, url) {
  await open(page, url + '?seed=1', []);
  await page.$eval('#settings', (d) => { d.open = true; });
  for (const option of ['#assist', '#vikeys']) {
    await Promise.all([page.waitForNavigation(), page.click(option)]);
    await showing(page, 'ようこそ');
  }
  const kept = await page.$$eval('#assist, #vikeys', (c) => c.map((box) => box.checked));
  check(kept.join() === 'true,true', 'the settings last over the page\'s reloads', kept.join());

  await press(page, ['a', '補助', 'Enter', 'a', 'c', 'a']);
  await showing(page, '地下1階');
  await page.click('#touch [data-key=log]');
  await showing(page, 'メッセージ履歴');
  await page.click('#touch [data-key=pgup]');
  await press(page, ['Escape', 'f', 'l']);  // l: the aiming cursor a step to the right
  await showing(page, '方向キー:動かす Tab:生き物へ');
  const shown = words(await screen(page));
  check(!shown.includes('そこにはあなたがいる'), 'with vi-keys on, l moves the aiming cursor');
  const { header, last } = await replayed(page, cdp);
  check(header === 'kurashi recording 1 seed 1 assist vikeys' && last === shown,
    'the recording carries the options and replays natively to the same screen',
    last === shown ? header : `\n${shown}\n---- terminal:\n${last}`);
}

// A second page of the game waits, saying why, until the first is closed.
async function secondpage(browser, first, url) {
  const page = await newpage(browser);
  await page.goto(url);
  await page.waitForFunction(() =>
    document.querySelector('#notices').textContent.includes('ほかのタブ'));
  const waiting = (await screen(page)).trim() === '';
  await first.close();
  await showing(page, 'ようこそ');
  check(waiting, 'a second page waits for the first to close, and then starts');
  await page.close();
}

// A browser that keeps nothing (no IndexedDB, as in some private windows): the page says so,
// and the game plays and saves for as long as the page is open.
async function nostorage(browser, url) {
  const page = await newpage(await browser.createBrowserContext());
  await page.evaluateOnNewDocument(() => Object.defineProperty(window, 'indexedDB', { value: undefined }));
  await page.goto(`${url}?seed=1`);  // the seed whose town stock the keys of newgame buy from
  await showing(page, 'ようこそ');
  const notice = await page.$eval('#notices', (p) => p.textContent);
  await press(page, newgame('影').slice(0, -1));
  await showing(page, 'セーブしました');
  check(notice.includes('セーブを残せない'),
    'without storage the page says saves will not last, and the game plays and saves', notice);
  await press(page, [' ', 'k', 'y']);
  await page.waitForSelector('#over:not([hidden])');
  const over = await page.$eval('#over', (o) => [o.textContent.replace(/\s+/g, ' ').trim(),
    document.activeElement.id, ((a, b) => a.left > b.left && a.right < b.right)(
      o.getBoundingClientRect(), document.querySelector('.xterm-screen').getBoundingClientRect())]);
  await Promise.all([page.waitForNavigation(), page.keyboard.press('Enter')]);
  await showing(page, 'ようこそ');
  check(over[0].includes('ゲームは終わった') && over[1] === 'again' && over[2],
    'when the game ends the page says so over its last screen, and Enter starts again', over.join());
  await page.close();
}

function sitesize() {
  let total = 0;
  for (const f of fs.readdirSync(built)) total += fs.statSync(path.join(built, f)).size;
  const font = fs.statSync(path.join(built, 'kurashi.woff2')).size;
  check(font <= 600e3 && total - font <= 1.5e6, 'the font is at most 600 KB, the rest of the site 1.5 MB',
    `font ${(font / 1e3).toFixed(0)} KB, the rest ${((total - font) / 1e6).toFixed(2)} MB`);
}

// The page at a desktop's size, an upright phone's, a phone's on its side and an upright
// phone's with its keyboard up: the size of a column, the keys' height, the screen filling
// the width on its side. Screenshots go beside the built site, for a person to look at.
async function sizes(browser, url) {
  for (const [w, h, phone] of [[1280, 800], [390, 844, 1], [844, 390, 1], [390, 450, 1]]) {
    const page = await newpage(browser);
    await page.setViewport({ width: w, height: h, isMobile: !!phone, hasTouch: !!phone });
    await page.goto(`${url}?seed=1`);
    await showing(page, 'ようこそ');
    const v = await page.evaluate(() => ({ ...window.kurashiView,
      keys: Math.min(...[...document.querySelectorAll('#touch button')].map((b) => b.offsetHeight)),
      fill: document.querySelector('.xterm-screen').offsetWidth / document.querySelector('#screen').clientWidth }));
    await page.screenshot({ path: path.join(path.dirname(built), `page-${w}x${h}.png`) });
    if (w === 390 && h === 844) await panning(page);
    check(v.column >= 8 && v.keys >= 44 && (w !== 844 || (v.fill > 0.9 && !v.panning)),
      `at ${w}x${h} a column is ${v.column.toFixed(2)} px, the keys ${v.keys} px high`,
      `the screen fills ${(v.fill * 100).toFixed(0)}% of the width${v.panning ? ', and pans' : ''}`);
    await page.close();
  }
}

// On the upright phone, on a floor: the screen taken away from the player's @, a step brings
// the @ back into its room.
async function panning(page) {
  await press(page, ['a', '歩', 'Enter', 'a', 'c', 'a']);
  await showing(page, '地下1階');
  const at = () => page.$$eval(rows, (r) => {  // the map's rows hold no wide character
    const room = document.querySelector('#screen');
    const x = Math.max(...r.map((row) => row.textContent.indexOf('@'))) * window.kurashiView.column
      - room.scrollLeft;
    return { x, seen: x >= 0 && x < room.clientWidth, far: room.scrollWidth - room.clientWidth };
  });
  const before = await at();
  await page.$eval('#screen', (room, x) => { room.scrollLeft = x; }, before.x < 195 ? before.far : 0);
  const away = await at();
  const answered = (await stats(page)).keys.length;
  await press(page, ['ArrowDown']);
  await page.waitForFunction((n) => window.kurashiStats.keys.length > n, {}, answered);
  const after = await at();
  check(!away.seen && after.seen, 'on an upright phone the screen pans to follow the player',
    `@ at ${away.x.toFixed(0)} px, then ${after.x.toFixed(0)} px`);
}

// With no Japanese font in the system (fontconfig shown DejaVu alone) the title's characters,
// and the page's own Japanese words, are the page's font's own, each its own glyph: the
// system's would all be one empty box.
async function nofonts(url) {
  const conf = path.join(work, 'fonts.conf');
  fs.writeFileSync(conf, '<?xml version="1.0"?><fontconfig><dir>/usr/share/fonts/truetype/dejavu' +
    `</dir><cachedir>${work}/fontcache</cachedir></fontconfig>`);
  const browser = await launch({ ...process.env, FONTCONFIG_FILE: conf }, 'nofonts');
  try {
    const page = await newpage(await browser.createBrowserContext());
    await page.goto(url);
    await showing(page, 'ようこそ');
    // each character drawn in the game's font, the system's monospace and the page's own
    // font for its words: a font that lacks them draws the same box for all
    await page.evaluate(() => document.fonts.ready);
    const glyphs = await page.evaluate(() => Object.fromEntries(Object.entries({
      kurashi: 'kurashi', monospace: 'monospace', page: getComputedStyle(document.body).fontFamily,
    }).map(([name, f]) => {
      const c = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
      c.font = `32px ${f}`;
      return [name, new Set([...'ようこそはじめから'].map((ch) => {
        c.clearRect(0, 0, 40, 40);
        c.fillText(ch, 0, 32);
        return c.getImageData(0, 0, 40, 40).data.join('');
      })).size];
    })));
    const family = await page.$eval('.xterm-rows', (r) => getComputedStyle(r).fontFamily);
    check(glyphs.kurashi === 9 && glyphs.monospace < 9 && family.startsWith('kurashi'),
      'with no Japanese font in the system the title\'s glyphs are real',
      `${glyphs.kurashi} glyphs for 9 characters, the system's ${glyphs.monospace}`);
    check(glyphs.page === 9, 'with no Japanese font in the system the page\'s own words are real',
      `${glyphs.page} glyphs for 9 characters`);
  } finally {
    await browser.close();
  }
}

// Opened from disk the page says the folder must be served; a closed notice stays closed.
async function pagefaults(page, url) {
  await page.goto(`file://${site}/index.html`);
  const disk = await page.$eval('#fromdisk', (p) => (p.hidden ? '' : p.textContent));
  check(disk.includes('./web.sh'), 'opened from disk the page says to serve its folder');
  await open(page, url, []);
  const kind = await page.$eval('#notices p', (p) => p.dataset.kind).catch(() => null);
  await page.click('#notices .close').catch(() => {});
  await open(page, url, []);
  check(kind && !(await page.$(`#notices [data-kind="${kind}"]`)), 'a closed notice stays closed', kind);
  const grey = await page.evaluate(() => {
    const span = document.createElement('span');
    span.className = 'xterm-fg-8';  // dark grey, as the screen draws it
    document.querySelector('.xterm-rows').append(span);
    return getComputedStyle(span).color.match(/\d+/g).map((c) => ((c / 255 + 0.055) / 1.055) ** 2.4);
  });
  const contrast = (0.2126 * grey[0] + 0.7152 * grey[1] + 0.0722 * grey[2] + 0.05) / 0.05;
  check(contrast >= 3, 'dark grey reads on black', `${contrast.toFixed(2)}:1`);
}

// After one visit the game loads and plays with no server; a new build replaces the old at
// the next load, and its files are the ones kept.
async function offline(page, url, server) {
  const cached = () => page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    return caches.keys();
  });
  const noserver = async () => {
    server.kill();
    await new Promise((r) => server.once('exit', r));
    await open(page, url, []);
  };
  const first = await cached();
  const cdp = await page.createCDPSession();
  const install = (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors;
  check(install.length === 0, 'the page can be installed as an app', JSON.stringify(install));
  await noserver();
  await press(page, ['b', 'b']);
  await showing(page, '何をする？');
  check(first.length === 1, 'with no server the page loads from its cache and a saved game loads',
    first.join());

  server = (await serve(new URL(url).port)).server;
  const sw = fs.readFileSync(path.join(site, 'sw.js'), 'utf8');
  fs.writeFileSync(path.join(site, 'sw.js'), sw.replace(/const VERSION = '/, '$&new'));
  fs.appendFileSync(path.join(site, 'index.html'), '<!-- the new build -->\n');
  await open(page, url, []);
  await page.waitForFunction(async () => (await caches.keys()).join().startsWith('kurashi-new'));
  await noserver();
  const html = await page.content();
  check(html.includes('the new build') && (await cached()).length === 1,
    'a new build replaces the cached one', (await cached()).join());
  return (await serve(new URL(url).port)).server;
}

// In a browser in English the page and the game are in English, and the game plays.
async function english(browser, url) {
  const po = fs.readFileSync(new URL('../../po/en.po', import.meta.url), 'utf8');
  const welcome = /msgid ""\n"ようこそ[^]*?msgstr ""\n"([^\\"]*)/.exec(po)?.[1];
  const page = await newpage(await browser.createBrowserContext(), 'en-US');
  await page.goto(`${url}?seed=1`);
  await showing(page, welcome ?? 'Welcome');
  const labels = await page.$$eval('summary', (s) => s.map((e) => e.textContent).join());
  await press(page, newgame('Kenta'));
  await page.waitForFunction((sel) => /HP:\d+\/\d+/.test(document.querySelector(sel).parentNode
    .textContent), {}, rows);
  const notices = await page.$eval('#notices', (n) => n.textContent);
  check(labels === 'Settings,Saves and files' && !/[ぁ-ン]/.test(notices) &&
    (await page.$eval('#lang', (l) => l.value)) === 'en',
    'in a browser in English the page and the game start in English and the game plays', labels);
  await page.close();
}

// ------------------------------------------------------------------ run

let { server, url } = await serve();
let browser = await launch();
try {
  const late = [];
  let { page, cdp } = await tab(browser);
  const home = await newgameandwalk(page, cdp, url, late);
  await titletime(browser, url);
  await browser.close();  // closed and opened again, the browser still holds the saves
  browser = await launch();
  ({ page, cdp } = await tab(browser));
  await reopenandload(page, url, late, home);
  await uploads(page, url, late);
  check(late.length === 0, 'no network request after the page has loaded', late.join(' '));
  await pagefaults(page, url);
  server = await offline(page, url, server);
  await settings(page, cdp, url);
  await secondpage(browser, page, url);
  await nostorage(browser, url);
  await sizes(browser, url);
  await english(browser, url);
  await nofonts(url);
  sitesize();
} catch (e) {
  check(false, 'the browser test ran to its end', e.stack);
} finally {
  await browser.close();
  for (const s of servers) s.kill();
  fs.rmSync(work, { recursive: true, force: true });
}
console.log(failures ? `browser: ${failures} failed` : 'browser: all passed');
process.exit(failures ? 1 : 0);
