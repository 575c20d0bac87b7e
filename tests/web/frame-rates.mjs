// The page's frame rate in each scene: the site served as the tests serve it, opened in Debian's
// Chromium (headless, WebGL 2 through SwiftShader), started at a moment of each scene at
// 640 x 360, and the animation frames counted over the four seconds after it plays. A
// benchmark: it prints a table and checks nothing.
// Usage: node tests/web/frame-rates.mjs SITE
import { spawn } from 'node:child_process';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const { chromium } = require('playwright-core');

const [siteArg] = process.argv.slice(2);
if (!siteArg) {
  console.error('usage: node tests/web/frame-rates.mjs SITE');
  process.exit(2);
}
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const flags = ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--autoplay-policy=no-user-gesture-required', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-quic'];
const scenes = [['A opening', 7000], ['B burning circle', 22000], ['C stems', 45000], ['D metaballs', 75000],
  ['E ribbons', 100000], ['F twister', 130000], ['closing', 170000]];

const server = spawn(process.execPath, [path.join(repo, 'scripts/serve-site'), path.resolve(siteArg), '0'],
  { stdio: ['ignore', 'pipe', 'inherit'] });
const address = await new Promise((resolve, reject) => {
  server.stdout.on('data', (text) => {
    const found = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(text));
    if (found) resolve(found[0]);
  });
  server.on('exit', (code) => reject(new Error(`the site's server ended (${code})`)));
});
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: flags });
try {
  console.log('Frames a second at 640 x 360 through SwiftShader');
  for (const [scene, start] of scenes) {
    const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
    await page.goto(`${address}?size=640x360&start=${start}&mute=1&fullscreen=0`);
    await page.waitForFunction(() => document.body.dataset.state === 'dialog');
    await page.click('#go');
    await page.waitForFunction(() => ['playing', 'failed'].includes(document.body.dataset.state), null,
      { timeout: 120000 });
    const rate = await page.evaluate(() => new Promise((resolve) => {
      let frames = 0;
      const begun = performance.now();
      const counted = () => {
        const seconds = (performance.now() - begun) / 1000;
        if (seconds >= 4) resolve(frames / seconds);
        else {
          frames += 1;
          requestAnimationFrame(counted);
        }
      };
      requestAnimationFrame(counted);
    }));
    console.log(`${scene.padEnd(18)} ${rate.toFixed(1).padStart(6)}`);
    await page.close();
  }
} finally {
  await browser.close();
  server.kill();
}
