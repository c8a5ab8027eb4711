// The glTF files and the picture agree. Each composition is written by
// kinemora-compose as .glb and as .gltf, and each file must
//  - pass the Khronos glTF-Validator with no error and no warning;
//  - load in three.js's GLTFLoader with as many keys as the BVH file of the
//    same presses has frames;
//  - under an AnimationMixer set to each frame's time, put every joint
//    within TOLERANCE of where the core's `rotations` track puts it (as
//    printed by core-positions), and the skinned figure's pieces where
//    their joints are: each leaf ball on its leaf, the bones on a joint
//    centred between it and its children.
//
// Usage: node check_gltf_reader.mjs KINEMORA_COMPOSE CORE_POSITIONS
import { join } from 'node:path';

import validator from 'gltf-validator';
import { AnimationMixer, LoopOnce, Vector3 } from 'three';
import { GLTFLoader } from 'three/examples/jsm/loaders/GLTFLoader.js';

import {
  checkEveryComposition, composeFile, corePositions, expectedFrames,
} from './compositions.mjs';

// Figure units. The file holds single-precision rotations: anything past
// rounding means another pose.
const TOLERANCE = 0.01;
const FRAMES_PER_SECOND = 30;
// The skinned mesh is checked at every this many frames, and the last.
const MESH_FRAME_STEP = 10;

// three.js reports the loading of a data URI with the browser's
// ProgressEvent, which Node lacks.
globalThis.ProgressEvent ??= class ProgressEvent extends Event {
  constructor(type, init = {}) {
    super(type);
    Object.assign(this, init);
  }
};

async function validate(data, uri) {
  const { issues } = await validator.validateBytes(new Uint8Array(data), { uri, maxIssues: 0 });
  return issues;
}

// Loads with three.js, failing on anything the loader only logs.
async function load(data, form) {
  const input = form === 'glb'
    ? data.buffer.slice(data.byteOffset, data.byteOffset + data.byteLength)
    : data.toString('utf8');
  const complaints = [];
  const saved = { error: console.error, warn: console.warn };
  console.error = console.warn = (...a) => complaints.push(a.join(' '));
  try {
    return await new GLTFLoader().parseAsync(input, '');
  } finally {
    Object.assign(console, saved);
    if (complaints.length) throw new Error(`GLTFLoader complained: ${complaints.join('; ')}`);
  }
}

function bvhFrameCount(composeExe, actions, dir) {
  const text = composeFile(composeExe, actions, join(dir, 'same-presses.bvh')).data.toString('utf8');
  const m = /^Frames: (\d+)$/m.exec(text);
  if (!m) throw new Error('no "Frames: N" line in the BVH file');
  return Number(m[1]);
}

function keyCount(clip) {
  const counts = new Set(clip.tracks.map((t) => t.times.length));
  if (counts.size !== 1) throw new Error(`tracks disagree on the key count: ${[...counts]}`);
  return [...counts][0];
}

// The loaded figure: its joints in the core's order, the mixer that plays
// its one clip, and the two skinned pieces (bones, leaf balls).
function figure(gltf, jointNames) {
  const byName = new Map();
  const meshes = [];
  gltf.scene.traverse((o) => {
    if (o.isBone) byName.set(o.name, o);
    if (o.isSkinnedMesh) meshes.push(o);
  });
  const joints = jointNames.map((name) => byName.get(name));
  const missing = jointNames.filter((_, i) => !joints[i]);
  if (missing.length || byName.size !== jointNames.length) {
    throw new Error(`joints loaded: ${[...byName.keys()]}; missing: ${missing}`);
  }
  const clip = gltf.animations[0];
  const mixer = new AnimationMixer(gltf.scene);
  if (clip) {
    const action = mixer.clipAction(clip);
    action.setLoop(LoopOnce, 1);
    action.clampWhenFinished = true;  // the last key's time is the clip's end
    action.play();
  }
  return { joints, clip, mixer, scene: gltf.scene, meshes };
}

function poseAt(fig, frame) {
  fig.mixer.setTime(frame / FRAMES_PER_SECOND);
  fig.scene.updateMatrixWorld(true);
  return fig.joints.map((bone) => new Vector3().setFromMatrixPosition(bone.matrixWorld));
}

function worstJointDistance(fig, core, frames) {
  let worst = { distance: 0, frame: -1, joint: -1 };
  for (let frame = 0; frame < frames; frame++) {
    const expected = core.positions[frame];
    poseAt(fig, frame).forEach((p, j) => {
      const d = p.distanceTo(new Vector3().fromArray(expected, j * 3));
      if (d > worst.distance) worst = { distance: d, frame, joint: j, name: core.joints[j] };
    });
  }
  return worst;
}

// Each piece's vertices, skinned, grouped by the joint they follow; their
// centroid is the middle of the shapes on that joint (every shape is a
// sphere symmetric about its centre).
function centroidsByJoint(mesh) {
  const index = mesh.geometry.getAttribute('skinIndex');
  const sums = new Map();
  const v = new Vector3();
  for (let i = 0; i < index.count; i++) {
    const joint = mesh.skeleton.bones[index.getX(i)];
    const s = sums.get(joint) ?? { sum: new Vector3(), n: 0 };
    s.sum.add(mesh.getVertexPosition(i, v));
    s.n++;
    sums.set(joint, s);
  }
  return new Map([...sums].map(([joint, { sum, n }]) => [joint, sum.divideScalar(n)]));
}

// Where the pieces must be at the pose shown: a leaf ball on its leaf; the
// bones held by a joint centred on the mean of the midpoints between it and
// each child it has a bone to (a child sitting on it has none).
function piecesOutOfPlace(fig, positions) {
  const at = new Map(fig.joints.map((bone, j) => [bone, positions[j]]));
  const wrong = [];
  const [bones, balls] = fig.meshes;
  for (const [joint, centre] of centroidsByJoint(balls)) {
    const d = centre.distanceTo(at.get(joint));
    if (!(d <= TOLERANCE) || joint.children.some((c) => c.isBone)) wrong.push(`leaf ball on ${joint.name}: ${d}`);
  }
  for (const [joint, centre] of centroidsByJoint(bones)) {
    const ends = joint.children.filter((c) => c.isBone && at.get(c).distanceTo(at.get(joint)) > 1e-6);
    const middle = ends.reduce((m, c) => m.add(at.get(c)).add(at.get(joint)), new Vector3())
      .divideScalar(2 * ends.length);
    const d = centre.distanceTo(middle);
    if (!(d <= TOLERANCE)) wrong.push(`bones on ${joint.name}: ${d}`);
  }
  return wrong;
}

function checkPieces(fig, frames) {
  const problems = [];
  const [bones, balls] = fig.meshes;
  const colours = [bones, balls].map((m) => `${m?.material.type} ${m?.material.color.getHexString()}`);
  if (fig.meshes.length !== 2 || colours.join() !== 'MeshBasicMaterial ff0000,MeshBasicMaterial 00ff00') {
    problems.push(`pieces loaded: ${colours} (want unlit red bones, unlit green balls)`);
    return problems;
  }
  const sampled = frames === 0 ? [0] : [];
  for (let f = 0; f < frames; f += MESH_FRAME_STEP) sampled.push(f);
  if (frames > 0 && sampled.at(-1) !== frames - 1) sampled.push(frames - 1);
  for (const frame of sampled) {
    const wrong = piecesOutOfPlace(fig, poseAt(fig, frame));
    // The first frame that shows it says enough.
    if (wrong.length) return [`frame ${frame}: pieces out of place: ${wrong.slice(0, 4).join('; ')}`];
  }
  return problems;
}

async function checkForm(form, composition, composeExe, core, bvhFrames, dir) {
  const { actions } = composition;
  const path = join(dir, `composition.${form}`);
  const { data, framesWritten } = composeFile(composeExe, actions, path);
  const problems = [];
  const issues = await validate(data, path);
  const counts = `${issues.numErrors}/${issues.numWarnings}/${issues.numInfos}/${issues.numHints}`;
  for (const m of issues.messages.filter((i) => i.severity <= 1)) {
    problems.push(`${form}: validator ${m.severity ? 'warning' : 'error'} ${m.code} at ${m.pointer}: ${m.message}`);
  }
  const fig = figure(await load(data, form), core.joints);
  const expected = expectedFrames(actions);
  const keys = fig.clip ? keyCount(fig.clip) : 0;
  if (new Set([expected, framesWritten, bvhFrames, keys]).size !== 1) {
    problems.push(`${form}: frame counts differ: expected ${expected}, "frames written" ` +
      `${framesWritten}, BVH ${bvhFrames}, keys ${keys}`);
  }
  if (expected === 0 && fig.clip) problems.push(`${form}: an animation without frames`);
  const worst = expected > 0 ? worstJointDistance(fig, core, Math.min(keys, core.framesToSave)) : null;
  if (worst && worst.distance > TOLERANCE) {
    problems.push(`${form}: joint ${worst.name} at frame ${worst.frame}: ${worst.distance.toFixed(4)} units from the core's`);
  }
  problems.push(...checkPieces(fig, keys).map((p) => `${form}: ${p}`));
  return { frames: keys, worst, counts, problems };
}

async function checkComposition(composition, composeExe, coreExe, dir) {
  const core = corePositions(coreExe, composition.actions);
  const bvhFrames = bvhFrameCount(composeExe, composition.actions, dir);
  const results = [];
  for (const form of ['glb', 'gltf']) {
    results.push(await checkForm(form, composition, composeExe, core, bvhFrames, dir));
  }
  const worst = results.map((r) => r.worst).reduce((a, b) => (!a || (b && b.distance > a.distance) ? b : a));
  return {
    frames: results[0].frames,
    worst,
    problems: results.flatMap((r) => r.problems),
    note: `validator e/w/i/h: glb ${results[0].counts}, gltf ${results[1].counts}`,
  };
}

process.exitCode = await checkEveryComposition('check_gltf_reader.mjs', checkComposition);
