// A second reader nobody here wrote: Assimp (Debian's assimp-utils) turns
// each composition's BVH and .glb into its JSON dump of what it loaded, the
// node tree and the animation's keys. Every joint is placed by forward
// kinematics from that dump alone and must land where the core's
// `rotations` track puts it (core-positions): within 1 unit from the BVH
// (three significant digits per angle), 0.01 from the .glb.
//
// Assimp reads a BVH root's position channels as where the root stands and
// drops its OFFSET, as Blender does; three.js adds the two. The file must
// place the figure the same for both.
//
// Usage: node check_assimp_reader.mjs KINEMORA_COMPOSE CORE_POSITIONS ASSIMP
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

import {
  checkEveryComposition, composeFile, corePositions, expectedFrames,
} from './compositions.mjs';

const assimpExe = process.argv[4];
const TOLERANCE = { bvh: 1.0, glb: 0.01 };

// What Assimp loaded from `file`, as its JSON dump.
function assimpScene(file) {
  const out = `${file}.json`;
  const r = spawnSync(assimpExe, ['export', file, out, '-fassjson'], { encoding: 'utf8' });
  if (r.error || r.status !== 0) {
    throw new Error(`assimp could not read ${file}: ${r.error?.message ?? r.stdout.trim()}`);
  }
  return JSON.parse(readFileSync(out, 'utf8'));
}

// 4x4 matrices as 16 numbers, row after row, acting on column vectors (the
// dump's own layout).
function multiply(a, b) {
  const r = new Array(16).fill(0);
  for (let i = 0; i < 4; i++)
    for (let j = 0; j < 4; j++)
      for (let k = 0; k < 4; k++) r[4 * i + j] += a[4 * i + k] * b[4 * k + j];
  return r;
}

// translate(t) * rotate(q), q as the dump writes it: w, x, y, z.
function placement([tx, ty, tz], [w, x, y, z]) {
  const n = Math.hypot(w, x, y, z);
  [w, x, y, z] = [w / n, x / n, y / n, z / n];
  return [
    1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y), tx,
    2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x), ty,
    2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y), tz,
    0, 0, 0, 1,
  ];
}

// The value of frame `frame` from keys written one per frame, or the only
// key of a track that never changes.
function keyAt(keys, frame) {
  return keys[keys.length === 1 ? 0 : frame][1];
}

// Every joint's world position at a frame, in the core's joint order: the
// node's own transformation unless the animation has a channel for it.
function placedJoints(scene, channels, names, frame) {
  const world = new Map();
  const visit = (node, parent) => {
    const channel = channels.get(node.name);
    const local = channel
      ? placement(keyAt(channel.positionkeys, frame), keyAt(channel.rotationkeys, frame))
      : node.transformation;
    const m = multiply(parent, local);
    world.set(node.name, m);
    for (const child of node.children ?? []) visit(child, m);
  };
  visit(scene.rootnode, placement([0, 0, 0], [1, 0, 0, 0]));
  return names.map((name) => {
    const m = world.get(name);
    if (!m) throw new Error(`no node named ${name}`);
    return [m[3], m[7], m[11]];
  });
}

function checkForm(form, actions, composeExe, core, dir) {
  const path = join(dir, `composition.${form}`);
  composeFile(composeExe, actions, path);
  const scene = assimpScene(path);
  const expected = expectedFrames(actions);
  const problems = [];
  const channels = new Map((scene.animations?.[0]?.channels ?? []).map((c) => [c.name, c]));
  for (const name of core.joints) {
    const keys = channels.get(name)?.rotationkeys.length ?? 0;
    // Assimp gives a BVH of no frames one rest key.
    if (expected > 0 && keys !== expected) {
      problems.push(`${form}: ${name} has ${keys} rotation keys, expected ${expected}`);
      return { worst: null, problems };
    }
  }
  let worst = { distance: 0, frame: -1, joint: -1 };
  for (let frame = 0; frame < expected; frame++) {
    const placed = placedJoints(scene, channels, core.joints, frame);
    const want = core.positions[frame];
    placed.forEach((p, j) => {
      const d = Math.hypot(p[0] - want[3 * j], p[1] - want[3 * j + 1], p[2] - want[3 * j + 2]);
      if (d > worst.distance) worst = { distance: d, frame, joint: j, name: core.joints[j] };
    });
  }
  if (worst.distance > TOLERANCE[form]) {
    problems.push(`${form}: ${worst.name} at frame ${worst.frame} is ${worst.distance.toFixed(4)} ` +
      'units from where the view draws it');
  }
  return { worst, problems };
}

function checkComposition({ actions }, composeExe, coreExe, dir) {
  const core = corePositions(coreExe, actions);
  const results = ['bvh', 'glb'].map((form) => checkForm(form, actions, composeExe, core, dir));
  const worst = results.map((r) => r.worst).filter((w) => w && w.frame >= 0)
    .reduce((a, b) => (!a || b.distance > a.distance ? b : a), null);
  return {
    frames: expectedFrames(actions),
    worst: worst ?? (expectedFrames(actions) ? { joint: -1 } : null),
    problems: results.flatMap((r) => r.problems),
    note: results.map((r, i) => `${['bvh', 'glb'][i]} ${r.worst?.distance?.toFixed(4) ?? '-'}`).join(', '),
  };
}

process.exitCode = await checkEveryComposition('check_assimp_reader.mjs', checkComposition);
